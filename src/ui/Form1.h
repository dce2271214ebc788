#pragma once
// The player's main window: start-up, close query and shutdown, the board area (desk, frame,
// board surface, pointer) in its scroll box, zoom placement and the mouse wheel, the title and
// status bars with their picture buttons, tool tips, reveal at the screen's edges, status texts,
// desk skins and keys, and the result hand-off. It implements the playback engine's view and
// forwards the controls' events to the engine's operations. Its controls are kept by name and
// kind in a registry and placed by one alignment engine.

#include "platform/audio/AudioLibrary.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackView.h"
#include "session/LaunchParams.h"
#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/CheckUpPanel.h"
#include "ui/ClosingPath.h"
#include "ui/ControlRegistry.h"
#include "ui/FormDialogs.h"
#include "ui/KeyControl.h"
#include "ui/SkinLayoutReader.h"

#include <QSize>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMouseEvent;
class QPainter;
class QTimer;
class TErrorPanel;
class TEvaluationPanel;
class TExScrollBox;
class TGPImage;
class TGradePanel;
class THelpPanel;
class TProposalPanel;
struct TPanelHost;
class TPaintBox;
class TPanel;
class TPicture;
class TSeekPreview;
class TSkinData;
class TStatusMessage;
class TStatusView;
class TTitleView;

// What the window is started with besides the launch text: the launcher's names, the dialogs and
// waits, the screen and the audio output.
struct TForm1Options {
    // The launcher's shared block and result event.
    std::string blockName = kLaunchBlockName;
    std::string resultEventName = kResultEventName;
    TFormDialogs dialogs = TFormDialogs::Standard();
    // The screen the window fills and places the board on; empty: the primary screen.
    QSize screenSize;
    // The program's folder (the pictures, the fallback voice); empty: the running program's.
    QString exeDir;
    // The layout file; empty: "ravo.xml" in the program's folder.
    QString layoutFile;
    int audioDevice = kDefaultDevice;
    // The check-up's random generator keeps this seed's sequence; none: reseeded from the clock.
    std::optional<uint32_t> checkUpSeed;
    // The first check-up run comes on the first stand-by tick that may count it, and the stand-by
    // ticks come this many milliseconds apart until it has begun (tests and demonstrations: the
    // player's "--check-up-after MS"); none: the usual wait of 10 to 30 ticks of 30 s.
    std::optional<int> checkUpFirstRunMs;
};

class TForm1 : public QWidget, public TPlaybackView {
public:
    static constexpr int kFailedStartUpWidth = 1024;
    static constexpr int kFailedStartUpHeight = 768;

    explicit TForm1(TForm1Options p_options = TForm1Options());
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // ---- Lifecycle

    void FormCreate();
    // The close query: decides whether the window closes and whether the result is handed off,
    // and runs the closing path. Every close request ends here.
    void FormCloseQuery(bool& CanClose);
    void FormDestroy();
    // The check-up's forced close: the window closes at once, without asking and without handing
    // anything off; whatever dialog of the player is open goes with it.
    void ForceClose();
    // The window is closing (the closing path has run): code coming back from a dialog does
    // nothing more.
    bool IsClosing() const { return m_closing.IsClosing(); }
    // The start-up ran to its end (launch text read, audio ready, catalogue built).
    bool IsStartedUp() const { return m_bStartedUp; }

    // ---- Page view

    void ResizeingImage(bool p_bIncrease);
    // One wheel event: 20 pixels up for a delta >= 0, down otherwise, whatever its size.
    void FormMouseWheel(int p_nWheelDelta);

    // ---- Hand-off and self-study question

    void SendStudyResult();
    // Asks the self-study question in the message window; true when the learner stops here (OK),
    // and when the window closed while the question was up. A ticked check box leaves the marker
    // file for the launcher.
    bool showMessageForm();

    // ---- Bars, tool buttons, status texts, keys

    // The reveal rule for a mouse move over the board area, in screen coordinates.
    void ShowToolBar(int p_nX, int p_nY);
    // The tool tips that follow the speed, the zoom, the play state and the volume.
    void SetToolTipText();
    // One key of the key hook, by its virtual-key code.
    void KeyControl(TVirtualKey p_key);

    // ---- Access

    TPlayerState& State() { return m_state; }
    TPlaybackEngine& Engine() { return *m_engine; }
    // The seek bar's preview; none before the start-up has ended well.
    TSeekPreview* SeekPreview() const { return m_seekPreview.get(); }
    // The window's controls by name (any letter case) and kind.
    TControlRegistry& Controls() { return m_registry; }
    TAlignEngine& Aligner() { return m_align; }
    // The desk picture now shown; none before the start-up loaded one.
    const TGPImage* DeskPicture() const { return m_gpImageBackGround.get(); }
    bool IsKeyHookInstalled() const { return m_keyControl != nullptr; }
    // The check-up's stand-by timer runs.
    bool IsStandByCheckUpEnabled() const { return m_checkUp->IsStandByEnabled(); }
    TCheckUpPanel& CheckUp() { return *m_checkUp; }
    // How far the start-up read the layout file.
    const TSkinReadResult& SkinReadResult() const { return m_skinRead; }

    TExScrollBox* scBox;
    QWidget* scBoxContent;        // the scrolled content: as large as the placed frame reaches
    TPaintBox* paFrameView;       // the frame (and the desk under it)
    TPanel* paLectureView;        // white, 20 pixels inside the frame
    TPaintBox* pbDraw;            // the board surface
    TPicture* imgPointerStick;
    TPicture* imgPin;
    TStatusMessage* lbStatusMessage;
    TPanel* paHiddenControlGroup; // the tool buttons' state pictures and the help pages, hidden
    TTitleView* paTitleView;
    TStatusView* paStatusView;
    TSkinData* bsSkinData1;       // the look of the bars' skinned controls
    // Over the board, hidden until opened: the feedback, grade and help panels and the check-up
    // square.
    TProposalPanel* paProposalView;
    TEvaluationPanel* paEvaluationView;
    TErrorPanel* paErrorView;
    TGradePanel* paGradeView;
    THelpPanel* paHelpView;
    TPanel* paCheckUp;            // the check-up square, owned by the check-up

    // ---- TPlaybackView

    void BoardChanged(const QRect& p_rtRegion) override;
    TIntPoint GetBoardSurfaceSize() const override;
    void SetBoardSurfaceSize(const TIntPoint& p_ptSize) override;
    void SetFrameImage(const QString& p_sFrameImageType) override;
    void ReMovePlayerView() override;
    QPoint GetScrollOffset() const override;
    void SetScrollOffset(const QPoint& p_ptOffset) override;
    QSize GetVisibleSize() const override;
    QRect GetVisibleBoardRect() const override;
    void AddPageTabs(const QStringList& p_listCaptions) override;
    void SetPageTabIndex(int32_t p_nIndex) override;
    void SetSeekRange(int32_t p_nMin, int32_t p_nMax) override;
    int32_t GetSeekPosition() const override;
    void SetSeekPosition(int32_t p_nPosition) override;
    void SetCurrentTimeText(const QString& p_sText) override;
    void SetTotalTimeText(const QString& p_sText) override;
    void ShowPointerStick() override;
    void PlacePointerStick(int32_t p_nLeft, int32_t p_nTop) override;
    void HidePointerStick() override;
    bool IsPointerStickVisible() const override;
    void ShowPlayButtonState(bool p_bPlaying) override;
    void SetSpeedText(const QString& p_sText) override;
    void ShowStatusMessage(const QString& p_sText) override;
    void SetVolumeHint(const QString& p_sText) override;
    void RefreshToolTips() override;
    void SetFrameClockEnabled(bool p_bEnabled) override;
    bool IsFrameClockEnabled() const override;
    void SetStandByCheckUpEnabled(bool p_bEnabled) override;
    void HideCheckUpPanel() override;
    void ShowMessage(TMessageKind p_enumKind, const QString& p_sText) override;
    bool AskSelfStudy() override;
    void PostCloseRequest() override;
    void Wait(int32_t p_nMilliseconds) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- Design: the controls, built before the start-up
    void CreateBoardArea();
    void CreateBoardControls();
    void CreateFeedbackPanels();
    void WatchPanelAnchors();
    std::vector<QWidget*> PanelAnchors() const;
    bool IsPanelAnchor(const QObject* p_object) const;
    void CreateCheckUp();
    bool IsAnythingOpenOverBoard() const;
    void CreateTitleView();
    void CreateStatusView();
    void WireToolButtons();
    void WatchMouse(QWidget* p_widget);

    // ---- Start-up steps
    void LoadSkinInfo();
    QString LayoutFile() const;
    void ApplySkin(int p_nSkinIndex);
    void LoadControlImage();
    void InitControlStatus();
    std::optional<QString> InitAudioLibrary();
    void LoadBuiltInPictures();
    void SetWindowGeometry();
    void PlaceFeedbackPanels();
    void EndStartUp(TMessageKind p_enumKind, const QString& p_sMessage);
    void ShowStartUpFailure(const QString& p_sMessage);
    void PlaceStartUpFailure();

    // ---- Page view
    QSize ScreenSize() const;
    QString ProgramFolder() const;
    void pbBackgroundViewPaint(QPainter& p_painter);
    void pbFrameViewPaint(QPainter& p_painter);
    void pbDrawPaint(QPainter& p_painter, const QRegion& p_region);

    // ---- Controls
    void tmFramePlayTimer();
    void tmMessageStatusTimer();
    void ShowSoundDeviceState();
    QString SoundDeviceText() const;
    void tabLecturePageClick(int p_nIndex);
    void tabLecturePageMouseDown(const QMouseEvent& p_event);
    bool IsSessionAtEnd() const;
    void AskBeforeLeavingEarly(bool& CanClose);
    void SetUpClosingPath();
    void StopForClosing();
    void SaveSelfStudyMarker();
    void btnSkinChangeMouseUp(const QObject* Sender);
    // Prints the whole board of the page, paused and with the player inert while the print
    // dialog is up.
    void btnGradeMouseUp();
    void btnCloseMouseDown(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers);
    // Study mode "R": no rule of supervised study applies any more, the window no longer stays
    // on top and the check-up no longer stands by.
    void LiftSupervision();
    void SetVolumeByKey(int p_nValue);

    TForm1Options m_options;
    TPlayerState m_state;
    TControlRegistry m_registry;
    TAlignEngine m_align;
    TClosingPath m_closing;
    std::unique_ptr<TPlaybackEngine> m_engine;
    std::unique_ptr<TKeyControl> m_keyControl;
    std::unique_ptr<TSeekPreview> m_seekPreview;
    std::unique_ptr<TPanelHost> m_panelHost;
    TSkinReadResult m_skinRead;

    std::unique_ptr<TGPImage> m_gpImageBackGround;
    std::array<std::unique_ptr<TGPImage>, 8> m_gpImageFrame;

    QTimer* tmFramePlay;
    QTimer* tmMessageStatus;
    std::unique_ptr<TCheckUpRandom> m_checkUpRandom;
    std::unique_ptr<TCheckUpPanel> m_checkUp;

    QWidget* m_paStartUpFailure = nullptr;
    bool m_bAudioReady = false;
    bool m_bSoundDeviceMissing = false;
    bool m_bStartedUp = false;
};
