#include "video/VideoExport.h"

#include "content/LectureCatalogue.h"
#include "content/XmlDom.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"
#include "video/VideoBoardArea.h"
#include "video/VideoEncoder.h"
#include "video/VideoTimeline.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// Sound is mixed in blocks of at most this many sample frames.
constexpr int64_t kMixBlock = 4096;

// The audio library on the manual output for the export's length: the export mixes the sound
// itself, as fast as it can, instead of a device taking it in real time.
class TManualAudio {
public:
    TManualAudio()
    {
        AudioUseManualOutput(true);
        m_bReady = BASS_Init(kDefaultDevice, TVideoExport::kSampleRate, 2, nullptr, nullptr) != kFalse;
    }
    ~TManualAudio()
    {
        if (m_bReady) {
            BASS_Free();
        }
        AudioUseManualOutput(false);
    }
    TManualAudio(const TManualAudio&) = delete;
    TManualAudio& operator=(const TManualAudio&) = delete;
    bool IsReady() const { return m_bReady; }

private:
    bool m_bReady = false;
};

QString PageName(const TLectureInfo& p_page)
{
    return QStringLiteral("page %1 (%2/%3)").arg(p_page.PageNo + 1).arg(p_page.PageName, p_page.PageID);
}

// As the engine loads a voice: a page without a readable track of its own plays the fallback.
bool HasReadableVoice(const QString& p_sBasePath, const TLectureInfo& p_page)
{
    const QString path = JoinPath(PageFolder(p_sBasePath, p_page.PageName, p_page.PageID), QStringLiteral("sound.dat"));
    return QFileInfo::exists(path) && GetSoundFrameCount(path) >= 1;
}

} // namespace

bool LayoutCentresBoard(const QString& p_sLayoutPath)
{
    const std::optional<QDomDocument> document = LoadXmlDocument(p_sLayoutPath);
    if (!document) {
        return false;
    }
    const QDomElement play = FindChildElement(FindChildElement(*document, QStringLiteral("root")), QStringLiteral("playview"));
    return AttributeTextOrEmpty(play, QStringLiteral("aligncenter")) == QLatin1String("true");
}

// One run: the engine on the export's board area, the time line, and the file being written.
class TVideoExport::TSession {
public:
    TSession(TPlayerState& p_state, const TVideoOptions& p_options, const TVideoReport& p_report)
        : m_state(p_state),
          m_options(p_options),
          m_report(p_report),
          m_area(p_state, p_options.size, LayoutCentresBoard(JoinPath(p_state.m_sExeDir, QStringLiteral("ravo.xml"))),
                 JoinPath(p_state.m_sExeDir, QStringLiteral("image")))
    {
    }

    // The engine, its first page and the range; the problem when the session cannot start.
    std::optional<QString> Start();
    std::vector<TVideoChapter> Chapters() const { return m_timeline->Chapters(); }
    // Plays the range into the file; false on a write failure (p_psError) or a cancel.
    bool Record(TVideoEncoder& p_encoder, TVideoStats& p_stats, bool& p_bCancelled, QString* p_psError);

private:
    void WarnAboutVoices();
    void Tick();
    void FollowPage();
    void ForwardMessages();
    bool AdvanceTo(int64_t p_nSample);
    bool MixTo(int64_t p_nSample);

    TPlayerState& m_state;
    const TVideoOptions& m_options;
    const TVideoReport& m_report;
    TVideoBoardArea m_area;
    std::unique_ptr<TPlaybackEngine> m_engine;
    std::unique_ptr<TVideoTimeline> m_timeline;
    TVideoEncoder* m_encoder = nullptr;

    int32_t m_nPage = -1;              // the page whose voice the sound follows
    int64_t m_nWritten = 0;            // sound samples written to the file
    int64_t m_nPageSample = 0;         // the sample where that page's voice is heard from
    size_t m_nNextStart = 0;           // the next page start of the time line
    bool m_bKeyFrameDue = true;
    size_t m_nMessagesSeen = 0;
    std::vector<float> m_mix = std::vector<float>(2 * kMixBlock);
};

std::optional<QString> TVideoExport::TSession::Start()
{
    // The export plays the lecture through: no prompt to study alone stops it.
    m_state.m_bSelfStudyMessageBox = true;
    m_state.m_viewRatio = m_options.zoom;
    m_state.m_intPlaySpeed = m_options.speedPercent - 100;
    m_engine = std::make_unique<TPlaybackEngine>(m_state, m_area);
    // No warm-up is attached: it would compete with the export for the cores, and the export
    // draws what it shows anyway.
    m_area.SetEngine(m_engine.get());
    const bool started = m_engine->LoadLectureInfo(m_state.m_sBasePath);
    if (m_engine->GetLectureInfoList().empty()) {
        return QStringLiteral("the session has no page to play");
    }
    if (!started) {
        return QStringLiteral("the session cannot start: %1").arg(m_engine->GetLoadProblem());
    }
    const uint32_t total = static_cast<uint32_t>(std::max(m_state.m_intAllMileSecond, 0));
    const uint32_t to = m_options.toMs.value_or(total);
    if (to > total) {
        return QStringLiteral("--to %1 lies beyond the session's end (%2 ms)").arg(to).arg(total);
    }
    if (m_options.fromMs >= to) {
        return QStringLiteral("--from %1 does not lie before the end of the range (%2 ms)").arg(m_options.fromMs).arg(to);
    }
    m_timeline = std::make_unique<TVideoTimeline>(
        TVideoRange{m_options.fromMs, to, m_options.speedPercent, m_options.fps, kSampleRate}, m_engine->GetLectureInfoList());
    if (m_options.fromMs > 0) {
        m_state.m_bClickTabLecturePage = true;
        m_engine->ScbPlayMovePositionUntilReDraw(m_options.fromMs);
    }
    FollowPage();
    WarnAboutVoices();
    ForwardMessages();
    return std::nullopt;
}

void TVideoExport::TSession::WarnAboutVoices()
{
    if (!m_report.warning) {
        return;
    }
    const std::vector<TLectureInfo>& pages = m_engine->GetLectureInfoList();
    std::vector<size_t> shown{static_cast<size_t>(m_nPage)};
    for (const TVideoTimeline::TPageStart& start : m_timeline->PageStarts()) {
        shown.push_back(start.page);
    }
    for (const size_t page : shown) {
        if (!HasReadableVoice(m_state.m_sBasePath, pages[page])) {
            m_report.warning(QStringLiteral("%1: its voice cannot be read; the fallback voice plays").arg(PageName(pages[page])));
        }
    }
}

bool TVideoExport::TSession::Record(TVideoEncoder& p_encoder, TVideoStats& p_stats, bool& p_bCancelled,
                                    QString* p_psError)
{
    m_encoder = &p_encoder;
    const int64_t frames = m_timeline->FrameCount();
    p_stats.playingMs = m_timeline->PlayingMs();
    for (int64_t k = 0; k < frames; ++k) {
        if (m_report.cancelled && m_report.cancelled()) {
            p_bCancelled = true;
            return false;
        }
        if (!AdvanceTo(m_timeline->SampleOfFrame(k))) {
            *p_psError = p_encoder.Error();
            return false;
        }
        Tick();
        const QRegion changed = m_area.PaintFrame();
        if (!p_encoder.WriteFrame(m_area.Frame(), changed, m_bKeyFrameDue)) {
            *p_psError = p_encoder.Error();
            return false;
        }
        m_bKeyFrameDue = false;
        ++p_stats.frames;
        p_stats.converted += changed.isEmpty() ? 0 : 1;
        if (m_report.progress) {
            m_report.progress(k + 1, frames);
        }
    }
    if (!AdvanceTo(m_timeline->SampleCount()) || !p_encoder.Finish()) {
        *p_psError = p_encoder.Error();
        return false;
    }
    return true;
}

// One tick of the frame clock, as the window's timer gives it while it runs.
void TVideoExport::TSession::Tick()
{
    if (m_area.IsFrameClockEnabled()) {
        m_engine->tmFramePlayTimer();
    }
    FollowPage();
    ForwardMessages();
}

// A page started: its voice began with the next sample mixed, which is heard where the page
// starts on the time line. A page that began a little early (its predecessor's voice ended
// before the page's rounded length) waits there in silence, so no page drifts from its place.
void TVideoExport::TSession::FollowPage()
{
    const int32_t page = m_state.m_nCurrentPlayPageIndex;
    if (page == m_nPage || page < 0) {
        return;
    }
    m_nPage = page;
    m_bKeyFrameDue = true;
    const TLectureInfo& info = m_engine->GetLectureInfoList()[static_cast<size_t>(page)];
    m_nPageSample = std::max(m_nWritten,
                             m_timeline->SampleOfSession(static_cast<int64_t>(info.StartFrameNo) * kFrameMilliseconds));
}

void TVideoExport::TSession::ForwardMessages()
{
    const auto& messages = m_area.m_listMessages;
    for (; m_nMessagesSeen < messages.size(); ++m_nMessagesSeen) {
        if (m_report.warning && m_nPage >= 0) {
            const TLectureInfo& page = m_engine->GetLectureInfoList()[static_cast<size_t>(m_nPage)];
            m_report.warning(QStringLiteral("%1: %2").arg(PageName(page), messages[m_nMessagesSeen].second));
        }
    }
}

// The sound up to the sample, the pages that start on the way changed where they start: the
// last packets of the page are played at its end, then the next page starts (unless the
// engine moved on by itself at that tick, its voice having ended).
bool TVideoExport::TSession::AdvanceTo(int64_t p_nSample)
{
    const std::vector<TVideoTimeline::TPageStart>& starts = m_timeline->PageStarts();
    while (m_nNextStart < starts.size() && starts[m_nNextStart].sample <= p_nSample) {
        const TVideoTimeline::TPageStart start = starts[m_nNextStart++];
        if (!MixTo(start.sample)) {
            return false;
        }
        Tick();
        if (m_state.m_nCurrentPlayPageIndex < static_cast<int32_t>(start.page)) {
            m_area.SetPageTabIndex(static_cast<int32_t>(start.page));
            m_engine->tabLecturePageClick(static_cast<int32_t>(start.page));
            FollowPage();
            ForwardMessages();
        }
    }
    return MixTo(p_nSample);
}

bool TVideoExport::TSession::MixTo(int64_t p_nSample)
{
    while (m_nWritten < p_nSample) {
        const bool silent = m_nWritten < m_nPageSample;
        const int64_t count = std::min(kMixBlock, (silent ? std::min(p_nSample, m_nPageSample) : p_nSample) - m_nWritten);
        if (silent) {
            std::fill(m_mix.begin(), m_mix.begin() + 2 * count, 0.0f);
        } else {
            AudioManualAdvance(static_cast<uint64_t>(count), m_mix.data());
        }
        if (!m_encoder->WriteAudio(m_mix.data(), count)) {
            return false;
        }
        m_nWritten += count;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

TVideoExport::TVideoExport(const TPlayerState& p_state, const TVideoOptions& p_options, TVideoReport p_report)
    : m_state(p_state), m_options(p_options), m_report(std::move(p_report))
{
}

TVideoExport::~TVideoExport() = default;

TVideoExport::TResult TVideoExport::Run()
{
    // Found out now rather than when the file is complete.
    if (QFileInfo(m_options.output).isDir()) {
        m_sError = QStringLiteral("cannot write %1: it is a folder").arg(m_options.output);
        return TResult::Failed;
    }
    TManualAudio audio;
    if (!audio.IsReady()) {
        m_sError = QStringLiteral("the audio library could not be initialised");
        return TResult::Failed;
    }
    TSession session(m_state, m_options, m_report);
    if (const std::optional<QString> problem = session.Start()) {
        m_sError = *problem;
        return TResult::Failed;
    }
    const QString partial = m_options.output + QStringLiteral(".part");
    const TVideoFormat format{m_options.size, m_options.fps, kSampleRate};
    std::unique_ptr<TVideoEncoder> encoder = TVideoEncoder::Open(partial, format, session.Chapters(), &m_sError);
    if (!encoder) {
        QFile::remove(partial);
        return TResult::Failed;
    }
    bool cancelled = false;
    const bool recorded = session.Record(*encoder, m_stats, cancelled, &m_sError);
    encoder.reset();
    // A stop asked for while the file was being completed holds too.
    cancelled = cancelled || (m_report.cancelled && m_report.cancelled());
    if (!recorded || cancelled) {
        QFile::remove(partial);
        return cancelled ? TResult::Cancelled : TResult::Failed;
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(partial.toStdU16String()),
                            std::filesystem::path(m_options.output.toStdU16String()), error);
    if (error) {
        QFile::remove(partial);
        m_sError = QStringLiteral("cannot write %1: %2").arg(m_options.output, QString::fromLocal8Bit(error.message()));
        return TResult::Failed;
    }
    return TResult::Written;
}
