#pragma once
// The pictures of the default skin, painted from code so the skin is rebuilt with the program.
// Every picture is deterministic: the noise is a fixed hash of coordinates and a seed.
//
// Each picture is painted at two scales: 1 for the file the layout names ("imgPlayUp.png") and 2
// for its high-resolution file ("imgPlayUp@2x.png", twice the pixels each way), which a screen
// scaled above 100 % shows. The painting code is written in the picture's pixels at scale 1: a
// picture made by ClearImage or SkinImage carries the scale, so a painter on it draws at the
// finer pixels; code that colours pixel by pixel asks Centre for where each one stands.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

struct TSkinPicture {
    QString fileName;   // name inside the image folder
    QImage image;
};

// Tileable value noise in [0, 1]: the lattice wraps every `period` cells, so a picture whose
// width and height are multiples of period * cell tiles without a seam.
float TileNoise(float x, float y, int period, uint32_t seed);
// Sum of octaves of TileNoise over a square tile of `tileSize` pixels; still seamless.
float TileFbm(float x, float y, int tileSize, int firstPeriod, int octaves, uint32_t seed);

QColor MixColor(const QColor& a, const QColor& b, float t);

// The scale the pictures are painted at now (1 until set).
int SkinScale();
void SetSkinScale(int scale);
// The centre of one of a picture's pixels at the scale, in its pixels at scale 1 (where the
// centre of pixel n is n).
float Centre(int pixel);
// The pixel at scale 1 that a point (in the coordinates Centre gives) lies in.
int Cell(float coordinate);

// A picture of the size (in its pixels at scale 1) at the scale, uninitialised.
QImage SkinImage(int width, int height, QImage::Format format);
// A transparent picture of the size, ready to paint on.
QImage ClearImage(int width, int height);
// Smooth edges and letters from here on.
void BeginSmooth(QPainter& painter);
// The skin's Korean face at a pixel size.
QFont SkinFont(int pixelSize, bool bold);

// Desk backgrounds back0.png .. back5.png (seamless tiles).
std::vector<TSkinPicture> MakeDeskBackgrounds();
// Board patterns WhiteNoteFrameBG.png, BlackBoardFrameBG.png, WhiteBoardFrameBG.png.
std::vector<TSkinPicture> MakeBoardPatterns();
// The eight frame pieces of the sets "WhiteNoteFrame", "WhiteBoardFrame" and the unnamed set.
std::vector<TSkinPicture> MakeFramePieces();
// The three attention marker pictures PopBlinker1..3ToolCursor.png.
std::vector<TSkinPicture> MakeMarkerPictures();
// The message window: its background message_back.png, its OK and Cancel buttons in their up,
// down and over states (ok_up.png ... cancel_over.png) and the tick of its check box
// (check_mark.png).
std::vector<TSkinPicture> MakeMessageWindowPictures();
// The Up, Down, Over and Disable pictures of every tool button, named after the button's picture
// set ("imgPlaySpeedUpOver.png").
std::vector<TSkinPicture> MakeToolButtonPictures();
// The loudspeaker pictures imgSoundOn.png and imgSoundOff.png, painted as a glyph button's Up.
std::vector<TSkinPicture> MakeSoundPictures();
// The nine backgrounds of the title bar, the tool bar and the play bar (imgTitleViewLeft.png ...).
std::vector<TSkinPicture> MakeBarBackgrounds();
// The backgrounds of the proposal, evaluation, error, grade and help panels, the prize roll-up's
// picture and the board's pin.
std::vector<TSkinPicture> MakePanelPictures();
// The two help pages imgHelp1.png (the keys) and imgHelp2.png (how a session ends).
std::vector<TSkinPicture> MakeHelpPages();
