#pragma once
// The pictures of the default skin, painted from code so the skin is rebuilt with the program.
// Every picture is deterministic: the noise is a fixed hash of coordinates and a seed.

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
