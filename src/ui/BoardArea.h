#pragma once
// The board area of the main window: the scroll box over the desk and, in it, the framed board
// (the frame, the white panel 20 pixels inside it, the board surface painted from the engine's
// board image) with the pointer stick; where the framed board stands for the current zoom, the
// desk skins and the mouse wheel, which scrolls the board wherever it turns. It answers the
// board's part of the engine's view. The board, the desk, the frame and the pointer stick are
// drawn at the device pixel ratio of the screen the window is on, and again at the new one when
// the window moves to a screen of another ratio.

#include "playback/BoardFrame.h"
#include "session/PlayerState.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

class QObject;
class QPainter;
class QRegion;
class QWheelEvent;
class QWidget;
class TControlRegistry;
class TEventHook;
class TExScrollBox;
class TGPImage;
class TPaintBox;
class TPanel;
class TPicture;
class TPlaybackEngine;

class TBoardArea {
public:
    // p_layout: the screen and the status bar, where the framed board is placed.
    TBoardArea(QWidget* p_window, TPlayerState& p_state, TControlRegistry& p_registry,
               std::function<TBoardAreaLayout()> p_layout);
    ~TBoardArea();
    TBoardArea(const TBoardArea&) = delete;
    TBoardArea& operator=(const TBoardArea&) = delete;

    // The engine whose board image the surface shows; none: the surface paints nothing. The
    // engine draws at the screen's ratio from now on.
    void SetEngine(TPlaybackEngine* p_engine);

    // ---- Device pixels

    // Where the screen's device pixel ratio is read when the window may have moved to another
    // screen: the board surface's own devicePixelRatioF() unless a test stands in for a screen.
    void SetScreenRatioSource(std::function<qreal()> p_ratio) { m_screenRatio = std::move(p_ratio); }
    // Everything the area draws follows the ratio the source gives now.
    void ScreenRatioChanged();

    // ---- Desk skins

    // The desk of the current skin index from the picture folder.
    void LoadDesk(const QString& p_sImageFolder);
    // Both skin buttons come here: the one named "btnSkinChangePrev" goes back, any other forward.
    void btnSkinChangeMouseUp(const QObject* Sender, const QString& p_sImageFolder);
    const TGPImage* DeskPicture() const { return m_frame.Desk(); }
    // The desk and frame pictures go (the window's shutdown).
    void FreePictures() { m_frame.Clear(); }

    // ---- Wheel and mouse

    // A wheel turning over the widget scrolls the board instead.
    void TakeWheelFrom(QWidget* p_widget);
    // One wheel event: 20 pixels up for a delta >= 0, down otherwise, whatever its size; a
    // sideways turn does nothing.
    void Wheel(QWheelEvent& p_event);
    void FormMouseWheel(int p_nWheelDelta);
    // The widgets whose mouse moves are the board area's own (not its scroll bars).
    std::vector<QWidget*> MouseAreas() const;

    // ---- The engine's view: the board

    void BoardChanged(const QRect& p_rtRegion);
    TIntPoint GetBoardSurfaceSize() const;
    void SetBoardSurfaceSize(const TIntPoint& p_ptSize);
    void SetFrameImage(const QString& p_sImageFolder, const QString& p_sFrameImageType);
    void ReMovePlayerView();
    QPoint GetScrollOffset() const;
    void SetScrollOffset(const QPoint& p_ptOffset);
    // Screen width, and screen height minus the status bar's height.
    QSize GetVisibleSize() const;
    // The scroll box's visible area in board pixels: the board starts where the placed frame puts it.
    QRect GetVisibleBoardRect() const;
    void ShowPointerStick();
    void PlacePointerStick(int32_t p_nLeft, int32_t p_nTop);
    void HidePointerStick();
    bool IsPointerStickVisible() const;

    TExScrollBox* scBox;
    QWidget* scBoxContent;        // the scrolled content: as large as the placed frame reaches
    TPaintBox* paFrameView;       // the frame (and the desk under it)
    TPanel* paLectureView;        // white, 20 pixels inside the frame
    TPaintBox* pbDraw;            // the board surface
    TPicture* imgPointerStick;
    TPicture* imgPin;

private:
    void CreateFramedBoard();
    void pbBackgroundViewPaint(QPainter& p_painter);
    void pbFrameViewPaint(QPainter& p_painter);
    void pbDrawPaint(QPainter& p_painter, const QRegion& p_region);

    TPlayerState& m_state;
    std::function<TBoardAreaLayout()> m_layout;
    TPlaybackEngine* m_engine = nullptr;
    TBoardFrame m_frame;
    std::function<qreal()> m_screenRatio;
    std::unique_ptr<TEventHook> m_wheelHook;
    std::unique_ptr<TEventHook> m_screenHook;   // the board surface moved to another screen
};
