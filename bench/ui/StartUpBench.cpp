// The start-up of long sessions: the catalogue read (every page's voice measured), the page tabs
// built in a shown window's tab set and the first page started and shown, for sessions of 500,
// 2,000 and 5,000 pages side by side, so that the growth with the pages shows.
// Goal: a session of 5,000 pages starts in under 2 s.
//
// usage: QT_QPA_PLATFORM=offscreen bench_start_up [--pages N]

#include "BenchSession.h"
#include "content/Mp3Fixture.h"

#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"
#include "playback/BoardWarmUp.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"
#include "ui/TabSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kVoiceRate = 8000;
constexpr double kGoalMs = 2000.0;
constexpr int kGoalPages = 5000;

// One lecture of `pages` pages of 800 x 600 on the whiteboard, each voice a link to one track.
bool MakeSession(TPlayerState& state, const QString& folder, const QString& voice, int pages)
{
    if (!BeginBenchSession(state, folder)) {
        return false;
    }
    QStringList ids;
    for (int page = 0; page < pages; ++page) {
        ids << QStringLiteral("p%1").arg(page, 5, 10, QLatin1Char('0'));
        if (!WriteBenchPage(state, ids.back(), 800, 600, QByteArray())) {
            return false;
        }
        std::error_code error;
        std::filesystem::create_hard_link(voice.toStdString(),
                                          JoinPath(BenchPageFolder(state, ids.back()), "sound.dat").toStdString(), error);
        if (error) {
            return false;
        }
    }
    return WriteBenchCatalogue(state, ids);
}

// The engine's view with the player's tab set in a shown window; it notes when the tabs come.
class TTabbedView : public THeadlessPlaybackView {
public:
    TTabbedView() : m_tabs(&m_window, QStringLiteral("tabLecturePage"))
    {
        m_window.resize(1280, 40);
        m_tabs.resize(1280, 40);
        m_tabs.setDrawBase(false);
        m_tabs.setExpanding(false);
        m_tabs.setUsesScrollButtons(true);
        m_tabs.SetSelectedColor(QColor(0x2F, 0x6F, 0xD0));
        m_tabs.SetUnselectedColor(QColor(0x30, 0x30, 0x38));
        m_window.show();
        QApplication::processEvents();
    }

    void AddPageTabs(const QStringList& p_listCaptions) override
    {
        m_nTabsStart = m_clock.nsecsElapsed();
        m_tabs.AddTabs(p_listCaptions);
        m_nTabsEnd = m_clock.nsecsElapsed();
    }
    void SetPageTabIndex(int32_t p_nIndex) override { m_tabs.setCurrentIndex(p_nIndex); }

    QElapsedTimer m_clock;
    qint64 m_nTabsStart = 0;
    qint64 m_nTabsEnd = 0;
    int TabCount() const { return m_tabs.count(); }

private:
    QWidget m_window;
    TTabSet m_tabs;
};

struct TStartUp {
    double catalogueMs = 0;
    double tabsMs = 0;
    double firstPageMs = 0;
    double totalMs = 0;
    bool started = false;
};

TStartUp TimeStartUp(TPlayerState& state)
{
    TTabbedView view;
    TPlaybackEngine engine(state, view);
    AttachBoardWarmUp(engine);   // as the window does
    view.m_clock.start();
    TStartUp timing;
    timing.started = engine.LoadLectureInfo(state.m_sBasePath);
    const qint64 loaded = view.m_clock.nsecsElapsed();
    // The window lays out and paints the tabs, and the board on screen is rendered.
    QApplication::processEvents();
    const qint64 painted = view.m_clock.nsecsElapsed();
    engine.EnsureBoardRendered(view.GetVisibleBoardRect());
    const qint64 shown = view.m_clock.nsecsElapsed();
    timing.started = timing.started && view.TabCount() == static_cast<int>(engine.GetLectureInfoList().size());
    timing.catalogueMs = static_cast<double>(view.m_nTabsStart) / 1e6;
    timing.tabsMs = static_cast<double>(view.m_nTabsEnd - view.m_nTabsStart + painted - loaded) / 1e6;
    timing.firstPageMs = static_cast<double>(loaded - view.m_nTabsEnd + shown - painted) / 1e6;
    timing.totalMs = static_cast<double>(shown) / 1e6;
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<int> sizes{500, 2000, 5000};
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--pages")); at >= 0 && at + 1 < args.size()) {
        sizes = {args[at + 1].toInt()};
    }
    QTemporaryDir folder;
    const QString voice = JoinPath(folder.path(), "voice.mp3");
    if (!HaveMp3Tools() || !MakeMp3(voice, 2 * kVoiceRate, kVoiceRate)) {
        std::fprintf(stderr, "cannot make the voice track (sox and lame are needed)\n");
        return 1;
    }
    AudioUseManualOutput(true);
    if (!BASS_Init(kDefaultDevice, 44100, 2, nullptr, nullptr)) {
        return 1;
    }
    g_studyInfo = TStudyInfo();
    g_studyInfo.study_mode = QStringLiteral("R");
    g_studyInfo.lecture_type = 1;
    g_studyInfo.lecture_count = 1;

    std::printf("start-up of one lecture of N pages (2-second voices), tab set in a shown window\n");
    std::printf("%8s %12s %10s %14s %10s %12s\n", "pages", "catalogue ms", "tabs ms", "first page ms", "total ms",
                "total us/page");
    bool met = true;
    bool measured = false;
    for (const int pages : sizes) {
        TPlayerState state;
        if (!MakeSession(state, JoinPath(folder.path(), QString::number(pages)), voice, pages)) {
            std::fprintf(stderr, "cannot build the session of %d pages\n", pages);
            return 1;
        }
        const TStartUp timing = TimeStartUp(state);
        if (!timing.started) {
            std::fprintf(stderr, "the session of %d pages did not start\n", pages);
            return 1;
        }
        std::printf("%8d %12.1f %10.1f %14.1f %10.1f %12.1f\n", pages, timing.catalogueMs, timing.tabsMs,
                    timing.firstPageMs, timing.totalMs, timing.totalMs * 1000.0 / pages);
        if (pages >= kGoalPages) {
            measured = true;
            met = met && timing.totalMs < kGoalMs;
        }
    }
    if (measured) {
        std::printf("goal: %d pages start in under %.0f ms: %s\n", kGoalPages, kGoalMs, met ? "met" : "NOT met");
    }
    BASS_Free();
    return 0;
}
