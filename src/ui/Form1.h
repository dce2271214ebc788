#pragma once
// The player's main window, a composition of parts: the board area, the title and status bars,
// the status text, the overlays over the board (panels, check-up, dialogs), the bars' reveal,
// supervision and the tool actions, wired to one playback engine through the engine's view. The
// window itself keeps the start-up, the close query and the hand-off. Its controls are kept by
// name and kind in a registry and placed by one alignment engine.

#include "platform/audio/AudioLibrary.h"
#include "session/LaunchParams.h"
#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/ClosingPath.h"
#include "ui/ControlRegistry.h"
#include "ui/FormDialogs.h"
#include "ui/SkinLayoutReader.h"

#include <QSize>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class TBarReveal;
class TBoardArea;
class TKeyControl;
class TOverlays;
class TPlaybackEngine;
class TPlayerView;
class TSeekPreview;
class TSkinData;
class TStatusMessage;
class TStatusView;
class TSupervision;
class TTitleView;
class TToolActions;

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

class TForm1 : public QWidget {
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
    void SendStudyResult();

    // ---- Parts

    TPlayerState& State() { return m_state; }
    TPlaybackEngine& Engine() { return *m_engine; }
    TBoardArea& Board() { return *m_board; }
    TTitleView& TitleBar() { return *m_title; }
    TStatusView& StatusBar() { return *m_status; }
    TStatusMessage& StatusText() { return *m_statusText; }
    TOverlays& Overlays() { return *m_overlays; }
    TBarReveal& Reveal() { return *m_reveal; }
    TToolActions& Actions() { return *m_actions; }
    // The seek bar's preview; none before the start-up has ended well.
    TSeekPreview* SeekPreview() const { return m_seekPreview.get(); }
    // The window's controls by name (any letter case) and kind.
    TControlRegistry& Controls() { return m_registry; }
    TAlignEngine& Aligner() { return m_align; }
    bool IsKeyHookInstalled() const { return m_keyControl != nullptr; }
    // How far the start-up read the layout file.
    const TSkinReadResult& SkinReadResult() const { return m_skinRead; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateBars();
    void CreateHiddenPictures();
    void CreateOverlays();

    // ---- Start-up steps
    void LoadSkinInfo();
    QString LayoutFile() const;
    QString ImageFolder() const;
    void ApplySkin(int p_nSkinIndex);
    void LoadBuiltInPictures();
    void InitControlStatus();
    std::optional<QString> InitAudioLibrary();
    void SetWindowGeometry();
    QSize ScreenSize() const;
    QString ProgramFolder() const;
    void EndStartUp(TMessageKind p_enumKind, const QString& p_sMessage);
    void ShowStartUpFailure(const QString& p_sMessage);
    void PlaceStartUpFailure();

    // ---- Playing and closing
    void tmFramePlayTimer();
    bool IsSessionAtEnd() const;
    void AskBeforeLeavingEarly(bool& CanClose);
    void SetUpClosingPath();
    void StopForClosing();

    TForm1Options m_options;
    TPlayerState m_state;
    TControlRegistry m_registry;
    TAlignEngine m_align;
    TClosingPath m_closing;
    std::unique_ptr<TBoardArea> m_board;
    TTitleView* m_title = nullptr;
    TStatusView* m_status = nullptr;
    TSkinData* bsSkinData1 = nullptr;   // the look of the bars' skinned controls
    TStatusMessage* m_statusText = nullptr;
    std::unique_ptr<TOverlays> m_overlays;
    std::unique_ptr<TPlayerView> m_view;
    std::unique_ptr<TPlaybackEngine> m_engine;
    std::unique_ptr<TSupervision> m_supervision;
    std::unique_ptr<TToolActions> m_actions;
    std::unique_ptr<TBarReveal> m_reveal;
    std::unique_ptr<TKeyControl> m_keyControl;
    std::unique_ptr<TSeekPreview> m_seekPreview;
    TSkinReadResult m_skinRead;

    QWidget* m_paStartUpFailure = nullptr;
    bool m_bAudioReady = false;
    bool m_bStartedUp = false;
};
