#pragma once
// What surrounds the board in the board area, without any widget: the desk picture tiled behind
// everything, the frame of eight pieces around the board, the teacher's pointer stick, and where
// the framed board stands for the current board size and zoom. The window paints its desk and
// frame through it; the video export paints the same board area into its frames. The pictures
// are read for the device pixel ratio of the screen they are painted on (their "@2x" files above
// 1), and painted in logical pixels all the same.

#include "session/PlayerState.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

class TGPGraphics;
class TGPImage;

// The pointer stick picture is this many pixels square; its tip is the top-left corner.
constexpr int kPointerStickSize = 32;

// What the placement of the framed board depends on besides the board and the zoom.
struct TBoardAreaLayout {
    QSize screen;             // the whole screen the window fills
    int statusHeight = 0;     // the status bar's height
    bool statusFix = false;   // the status bar stays on screen
    bool centerAlign = false; // the framed board is centred in the area left for it
};

// The framed board's box (the frame's outside) in the scroll box's content: the board at the zoom
// plus the frame's margin on every side, centred when the layout says so, at the left or top edge
// wherever it does not fit.
QRect PlaceFramedBoard(const TBoardAreaLayout& p_layout, const TIntPoint& p_ptOriginalImage, float p_fViewRatio);

// The pointer stick: a teacher's stick, its tip at the top-left corner, painted at the device
// pixel ratio (kPointerStickSize logical pixels square).
QImage PointerStickImage(qreal p_dDevicePixelRatio = 1.0);

class TBoardFrame {
public:
    TBoardFrame();
    ~TBoardFrame();
    TBoardFrame(const TBoardFrame&) = delete;
    TBoardFrame& operator=(const TBoardFrame&) = delete;

    // The desk picture (a file that cannot be read leaves no desk: the area's own colour shows).
    void LoadDesk(const QString& p_sPath);
    // The eight frame pieces for a board kind text ("WhiteNote", "BlackBoard", ...) from the
    // picture folder; an unknown kind gives pieces that draw nothing.
    void LoadFrame(const QString& p_sImageFolder, const QString& p_sFrameImageType);
    // The pictures loaded are read again for the ratio.
    void SetDevicePixelRatio(qreal p_dRatio);
    void Clear();
    const TGPImage* Desk() const { return m_gpImageBackGround.get(); }

    // The desk tiled over the area, its pattern starting at the area's top-left.
    void PaintDesk(TGPGraphics& p_graphics, const QSize& p_area) const;
    // The framed board's box of the size: the desk under it, then the frame's corners and edges.
    void PaintFrame(TGPGraphics& p_graphics, const QSize& p_box) const;

private:
    qreal m_dDevicePixelRatio = 1.0;
    QString m_sDeskPath;
    QString m_sImageFolder;
    QString m_sFrameImageType;
    std::unique_ptr<TGPImage> m_gpImageBackGround;
    std::array<std::unique_ptr<TGPImage>, 8> m_gpImageFrame;
};
