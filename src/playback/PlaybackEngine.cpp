// The engine's pages, page start, voice, zoom step and listeners.

#include "playback/PlaybackEngine.h"

#include "content/ResourceManager.h"
#include "platform/FreedMemory.h"
#include "platform/Rounding.h"
#include "platform/graphics/GPStrokeCache.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

const char* const kNoPlayablePageMessage = "재생할 강의 페이지가 없습니다.";

namespace {

constexpr int32_t kLoadSoundWaitMs = 200;
// The step is added in extended precision and stored in single precision: ten steps up from 1.0
// end just above 2.0, and ten steps down return to 1.0 exactly.
constexpr long double kZoomStep = 0.1L;
constexpr float kZoomMin = 1.0f;
constexpr float kZoomMax = 2.0f;

const char16_t* Utf16(const QString& text)
{
    return reinterpret_cast<const char16_t*>(text.utf16());
}

} // namespace

// What the page description asks of the window, answered partly by the board surface (the board
// picture and the board image) and partly by the view.
class TPlaybackEngine::TBoardViewAdapter : public TPageBoardView {
public:
    explicit TBoardViewAdapter(TPlaybackEngine& p_engine) : m_engine(p_engine) {}

    void SetFrameImage(const QString& p_sFrameImageType) override { m_engine.m_view.SetFrameImage(p_sFrameImageType); }
    void ReMovePlayerView() override { m_engine.m_view.ReMovePlayerView(); }
    void HidePointerStick() override
    {
        if (m_engine.m_view.IsPointerStickVisible()) {
            m_engine.m_view.HidePointerStick();
        }
    }
    void LoadLectureImage(const QString& path, int32_t boardType) override
    {
        m_engine.m_board.LoadBoardPicture(path);
        m_engine.m_state.m_nBoardType = boardType;
    }
    TIntPoint GetBoardSurfaceSize() const override { return m_engine.m_view.GetBoardSurfaceSize(); }
    void SetBoardSurfaceSize(const TIntPoint& size) override { m_engine.m_board.SetSurfaceSize(size); }
    // The page start renders the whole board once its objects are renewed.
    void InvalidateBoard() override { m_engine.m_board.MarkAllChanged(); }

private:
    TPlaybackEngine& m_engine;
};

TPlaybackEngine::TPlaybackEngine(TPlayerState& p_state, TPlaybackView& p_view)
    : m_state(p_state),
      m_view(p_view),
      m_boardViewAdapter(std::make_unique<TBoardViewAdapter>(*this)),
      m_board(p_state, p_view, m_dmDrawManager)
{
}

TPlaybackEngine::~TPlaybackEngine()
{
    m_listListeners.clear();   // work ahead stops before the objects and the voice go
    m_dmDrawManager.Dispose();
    if (!m_bBoardOnly) {
        BASS_StreamFree(m_playChannel);
        BASS_StreamFree(m_loadChannel);
    }
}

const std::vector<TLectureInfo>& TPlaybackEngine::GetLectureInfoList() const
{
    return m_lcCatalogue.GetLectureInfoList();
}

TResourceManager& TPlaybackEngine::GetResourceManager() const
{
    return m_pdPageDescription.GetResourceManager();
}

// ---------------------------------------------------------------------------------------------
// Board-only engines

void TPlaybackEngine::UsePageList(std::vector<TLectureInfo> p_listPages)
{
    m_lcCatalogue.SetLectureInfoList(std::move(p_listPages));
    m_state.m_nCurrentPlayPageIndex = -1;
}

// ---------------------------------------------------------------------------------------------
// Listeners

void TPlaybackEngine::AttachListener(std::unique_ptr<TPlaybackListener> p_listener)
{
    if (p_listener) {
        m_listListeners.push_back(std::move(p_listener));
    }
}

TBoardPlace TPlaybackEngine::PlaceAt(int32_t p_nPageIndex) const
{
    return {m_state,           GetLectureInfoList(),     p_nPageIndex,
            m_state.m_viewRatio, m_view.GetVisibleSize(), m_view.GetScrollOffset(),
            m_board.GetDevicePixelRatio()};
}

// ---------------------------------------------------------------------------------------------
// Catalogue and page start

bool TPlaybackEngine::LoadLectureInfo(const QString& p_sBasePath)
{
    m_state.m_sBasePath = p_sBasePath;
    m_lcCatalogue.LoadLectureInfo(m_state);
    m_view.AddPageTabs(m_lcCatalogue.GetPageCaptions());
    if (g_studyInfo.lecture_count == 0) {
        return true;
    }
    m_view.SetSeekRange(0, m_state.m_intAllMileSecond);
    m_view.SetTotalTimeText(FormatPlayTime(static_cast<uint32_t>(m_state.m_intAllMileSecond)));
    if (GetLectureInfoList().empty()) {
        // No page to select: say so instead of failing on a tab that does not exist.
        return RefuseToStart(QString::fromUtf8(kNoPlayablePageMessage));
    }
    if (m_state.m_intAllMileSecond == 0) {
        // Not one voice could be measured: a session of length 0 would stand at its end at once
        // and hand off a study that nobody heard.
        return RefuseToStart(QStringLiteral("강의를 재생할 수 없습니다. 어느 강의 페이지의 음성 파일(sound.dat)도, "
                                            "프로그램의 기본 음성 파일(%1)도 읽을 수 없습니다.")
                                 .arg(QDir::toNativeSeparators(JoinPath(m_state.m_sExeDir, QStringLiteral("sound.dat")))));
    }
    m_view.SetPageTabIndex(0);
    tabLecturePageClick(0);
    return true;
}

bool TPlaybackEngine::RefuseToStart(const QString& p_sProblem)
{
    m_sLoadProblem = p_sProblem;
    m_view.ShowMessage(TMessageKind::Error, p_sProblem);
    return false;
}

void TPlaybackEngine::tabLecturePageClick(int32_t p_nIndex)
{
    // A seek under way selects the tab itself and starts the page itself.
    if (!m_state.m_bClickTabLecturePage) {
        StartPageFromItsBeginning(p_nIndex);
    }
}

void TPlaybackEngine::StartPageFromItsBeginning(int32_t p_nIndex)
{
    if (p_nIndex < 0 || p_nIndex >= static_cast<int32_t>(GetLectureInfoList().size())) {
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    PauseSound();
    const TLectureInfo& page = GetLectureInfoList()[static_cast<size_t>(p_nIndex)];
    m_state.m_intCurrentMilesSecond = static_cast<int32_t>(page.StartFrameNo) * kFrameMilliseconds;
    m_view.SetSeekPosition(m_state.m_intCurrentMilesSecond);
    m_state.m_nCurrentPlayPageIndex = p_nIndex;
    m_state.m_dCurrentPlayPosition = 0;
    LecturePlay(m_state.m_sBasePath, p_nIndex);
}

void TPlaybackEngine::LecturePlay(const QString& p_sBasePath, int32_t p_nPageIndex)
{
    if (p_nPageIndex < 0 || p_nPageIndex >= static_cast<int32_t>(GetLectureInfoList().size())) {
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    // Work ahead on the old page stops first: its warm-up's tiles stop filling the cache.
    Announce([](TPlaybackListener& listener) { listener.PageStarting(); });
    // The cache serves the rebuilds of one page: over a long session the figures of the pages
    // played before would only pile up (the keys hold the figure, so no other page finds them).
    // Board-only engines share the window's cache and leave its keeping to the window's engine.
    if (!m_bBoardOnly && p_nPageIndex != m_nStrokeCachePage) {
        m_board.GetStrokeCache().Clear();
        m_nStrokeCachePage = p_nPageIndex;
    }
    const TLectureInfo page = GetLectureInfoList()[static_cast<size_t>(p_nPageIndex)];
    ShowBoardSizeProblem(m_pdPageDescription.LoadPageInfo(m_state, p_sBasePath, page, *m_boardViewAdapter),
                         PageFolder(p_sBasePath, page.PageName, page.PageID));
    m_board.WidenToBoard();
    m_view.SetFrameClockEnabled(true);
    LoadPageSound(p_sBasePath, p_nPageIndex);
    ShowPacketLoadProblem(m_pfPacketFile.LoadPageObjectPacket(p_sBasePath, page), PacketFilePath(p_sBasePath, page));
    PlaySound();
    // A registry as new: no object, numbers counted from the start.
    m_dmDrawManager.Dispose();
    m_dmDrawManager.SetLastDrawNo(0);
    m_mapDrawNo.clear();
    if (!m_bBoardOnly) {
        ReturnFreedMemory();                       // the old page's objects and cached figures
    }
    m_pfPacketFile.ResetPacketCursor();
    // The page was recorded from the board's top-left: the view starts there, not where the
    // previous page left it.
    m_state.m_ptViewPoint = TGPPointF{0.0f, 0.0f};
    m_view.SetScrollOffset(QPoint(0, 0));
    m_board.RenderAll();
    Announce([&](TPlaybackListener& listener) { listener.PageStarted(PlaceAt(p_nPageIndex)); });
}

// A missing file is told as it is; a file read only in part names itself. Either way the page
// plays what could be read.
void TPlaybackEngine::ShowPacketLoadProblem(const TPacketLoadResult& p_result, const QString& p_sPath)
{
    switch (p_result.status) {
    case TPacketLoadStatus::Loaded:
        return;
    case TPacketLoadStatus::Missing:
        m_view.ShowMessage(TMessageKind::Information, p_result.message);
        return;
    case TPacketLoadStatus::Truncated:
    case TPacketLoadStatus::Unreadable:
        m_view.ShowMessage(TMessageKind::Warning, p_result.message + QStringLiteral("\n") + p_sPath);
        return;
    }
}

// A board no machine can hold is refused; the page's voice and packets still play, on the board
// as it stood.
void TPlaybackEngine::ShowBoardSizeProblem(const TPageInfoResult& p_result, const QString& p_sPageFolder)
{
    if (p_result.stop != TPageInfoStop::BoardSize) {
        return;
    }
    m_view.ShowMessage(TMessageKind::Warning,
                       QStringLiteral("페이지의 보드 크기(%1 x %2)를 쓸 수 없어 기본 보드에 재생합니다.\n%3")
                           .arg(p_result.boardSize.X)
                           .arg(p_result.boardSize.Y)
                           .arg(JoinPath(p_sPageFolder, QStringLiteral("pageinfo.xml"))));
}

// ---------------------------------------------------------------------------------------------
// Voice

bool TPlaybackEngine::LoadPageSound(const QString& p_sBasePath, int32_t p_nPageIndex)
{
    if (m_bBoardOnly) {
        return false;
    }
    if (m_playChannel != 0) {
        BASS_StreamFree(m_playChannel);
        m_playChannel = 0;
    }
    m_view.Wait(kLoadSoundWaitMs);
    if (p_nPageIndex < 0 || p_nPageIndex >= static_cast<int32_t>(GetLectureInfoList().size())) {
        return false;
    }
    const TLectureInfo& page = GetLectureInfoList()[static_cast<size_t>(p_nPageIndex)];
    const QString fallback = JoinPath(m_state.m_sExeDir, QStringLiteral("sound.dat"));
    QString path = JoinPath(PageFolder(p_sBasePath, page.PageName, page.PageID), QStringLiteral("sound.dat"));
    if (!QFileInfo::exists(path) || GetSoundFrameCount(path) < 1) {
        path = fallback;
    }
    BASS_StreamFree(m_loadChannel);
    m_loadChannel = BASS_StreamCreateFile(kFalse, Utf16(path), 0, 0, kStreamVoiceFlags);
    if (m_loadChannel == 0) {
        return false;
    }
    m_playChannel = BASS_FX_TempoCreate(m_loadChannel, kTempoFlags);
    if (m_playChannel == 0) {
        return false;
    }
    BASS_ChannelSetAttribute(m_playChannel, kAttribTempo, static_cast<float>(m_state.m_intPlaySpeed));
    BASS_ChannelSetAttribute(m_playChannel, kAttribVolume, m_fVoiceVolume);
    return true;
}

void TPlaybackEngine::PlaySound()
{
    if (m_state.m_bClosing) {
        return;   // code coming back from a dialog of a closing window starts no voice
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    SetPlaying(true);
    if (!m_bBoardOnly && !BASS_ChannelPlay(m_playChannel, kFalse)) {
        m_view.ShowMessage(TMessageKind::Error, QStringLiteral("음원 파일 재생중 오류발생"));
    }
    if (IsSupervisedStudy()) {
        m_view.SetStandByCheckUpEnabled(true);
    }
}

void TPlaybackEngine::PauseSound()
{
    if (m_playChannel == 0) {
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    if (IsSupervisedStudy()) {
        m_view.SetStandByCheckUpEnabled(false);
    }
    if (!BASS_ChannelStop(m_playChannel)) {
        m_view.ShowMessage(TMessageKind::Error, QStringLiteral("Error playing stream!"));
    }
    SetPlaying(false);
}

void TPlaybackEngine::StopSound()
{
    if (m_playChannel == 0) {
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    if (IsSupervisedStudy()) {
        m_view.SetStandByCheckUpEnabled(false);
    }
    m_view.Wait(kStopSoundWaitMs);
    if (!BASS_ChannelStop(m_playChannel)) {
        m_view.ShowMessage(TMessageKind::Error, QStringLiteral("Error playing stream!"));
    }
    SetPlaying(false);
    m_view.HideCheckUpPanel();
}

void TPlaybackEngine::SetPlaying(bool p_bPlaying)
{
    m_state.m_bPlaying = p_bPlaying;
    m_view.ShowPlayButtonState(p_bPlaying);
}

// ---------------------------------------------------------------------------------------------
// Device pixels

void TPlaybackEngine::SetDevicePixelRatio(qreal p_dRatio)
{
    if (!(p_dRatio > 0.0) || p_dRatio == m_board.GetDevicePixelRatio()) {
        return;
    }
    const bool showing = HasBoardPicture();
    if (showing) {
        Announce([](TPlaybackListener& listener) { listener.PixelRatioChanging(); });
    }
    // The cache's keys hold the ratio: the figures at the old one would never be found again.
    if (!m_bBoardOnly) {
        m_board.GetStrokeCache().Clear();
    }
    m_board.SetDevicePixelRatio(p_dRatio);
    if (showing) {
        m_board.Show();
        Announce([this](TPlaybackListener& listener) {
            listener.PixelRatioChanged(PlaceAt(m_state.m_nCurrentPlayPageIndex));
        });
    }
}

// ---------------------------------------------------------------------------------------------
// Zoom

float SteppedZoom(float p_fRatio, bool p_bIncrease)
{
    const long double step = p_bIncrease ? kZoomStep : -kZoomStep;
    if (p_bIncrease ? p_fRatio < kZoomMax : p_fRatio > kZoomMin) {
        return static_cast<float>(static_cast<long double>(p_fRatio) + step);
    }
    return p_fRatio;
}

void TPlaybackEngine::ResizeingImage(bool p_bIncrease)
{
    if (!HasBoardPicture()) {
        return;
    }
    // Work ahead at the old zoom gives way to the rebuild; the new zoom's starts after it.
    Announce([](TPlaybackListener& listener) { listener.ZoomStepping(); });
    float& ratio = m_state.m_viewRatio;
    const float stepped = SteppedZoom(ratio, p_bIncrease);
    if (stepped != ratio) {
        ratio = stepped;
        m_view.ReMovePlayerView();
    }
    m_board.FitToBoard();
    m_view.ShowStatusMessage(QStringLiteral("화면 크기 : %1%").arg(RoundHalfEven(static_cast<double>(ratio) * 100.0)));
    m_view.RefreshToolTips();
    m_view.SetSeekPosition(m_state.m_intCurrentMilesSecond);
    // The rebuild stays in the page: at the very end of a page's voice the position equals the
    // next page's first frame, and a seek there would start that page.
    m_view.SetFrameClockEnabled(false);
    RebuildAtPagePosition();
    Announce([this](TPlaybackListener& listener) { listener.ZoomStepped(PlaceAt(m_state.m_nCurrentPlayPageIndex)); });
}
