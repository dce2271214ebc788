// The engine's pages, page start, voice, zoom step and board image.

#include "playback/PlaybackEngine.h"

#include "content/ResourceManager.h"
#include "draw/DrawLine.h"
#include "draw/DrawManager.h"
#include "draw/DrawStrokes.h"
#include "platform/Rounding.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "platform/graphics/GPStrokeCache.h"
#include "platform/graphics/GPTextureBrush.h"
#include "playback/BoardWarmUp.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <chrono>
#include <thread>

const char* const kNoPlayablePageMessage = "재생할 강의 페이지가 없습니다.";

namespace {

constexpr QRgb kBoardPanelColor = 0xFFFFFFFF;   // the white panel under the board surface
constexpr int32_t kLoadSoundWaitMs = 200;
constexpr float kZoomStep = 0.1f;
constexpr float kZoomMin = 1.0f;
constexpr float kZoomMax = 2.0f;
// Regions at least this large are drawn on both cores.
constexpr int64_t kParallelMinPixels = 512 * 512;
// The part of the board left to render is done between ticks in bands of rows, for this long.
constexpr int kStaleBandRows = 128;
constexpr std::chrono::milliseconds kStaleSliceBudget(15);

const char16_t* Utf16(const QString& text)
{
    return reinterpret_cast<const char16_t*>(text.utf16());
}

} // namespace

// What the page description asks of the window, answered partly by the engine (the board
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
    void LoadLectureImage(const QString& path, int32_t boardType) override { m_engine.LoadLectureImage(path, boardType); }
    TIntPoint GetBoardSurfaceSize() const override { return m_engine.m_view.GetBoardSurfaceSize(); }
    void SetBoardSurfaceSize(const TIntPoint& size) override { m_engine.SetBoardSurfaceSize(size); }
    // The page start renders the whole board once its objects are renewed.
    void InvalidateBoard() override { m_engine.m_rgnChanged = m_engine.BoardRect(); }

private:
    TPlaybackEngine& m_engine;
};

TPlaybackEngine::TPlaybackEngine(TPlayerState& p_state, TPlaybackView& p_view)
    : m_state(p_state),
      m_view(p_view),
      m_boardViewAdapter(std::make_unique<TBoardViewAdapter>(*this)),
      m_dmDrawManager(std::make_unique<TDrawManager>()),
      m_strokeCache(std::make_shared<TGPStrokeCache>())
{
    ResizeBoardImage();
}

TPlaybackEngine::~TPlaybackEngine()
{
    m_dmDrawManager->Dispose();
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
    // The warm-up works from a copy of the old list.
    m_warmUp.reset();
}

void TPlaybackEngine::ShareStrokeCache(std::shared_ptr<TGPStrokeCache> p_strokeCache)
{
    m_strokeCache = std::move(p_strokeCache);
}

void TPlaybackEngine::StartWarmUp(int32_t p_nPageIndex)
{
    if (m_bBoardOnly || m_bUnwarmed) {
        return;
    }
    if (!m_warmUp) {
        m_warmUp = std::make_unique<TBoardWarmUp>(m_state, GetLectureInfoList(), m_strokeCache);
    }
    m_warmUp->Start(p_nPageIndex, m_state.m_viewRatio, m_view.GetVisibleSize(), m_view.GetScrollOffset());
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
    // The cache serves the rebuilds of one page: over a long session the figures of the pages
    // played before would only pile up (the keys hold the figure, so no other page finds them).
    // Board-only engines share the window's cache and leave its keeping to the window's engine.
    if (!m_bBoardOnly && p_nPageIndex != m_nStrokeCachePage) {
        if (m_warmUp) {
            m_warmUp->Cancel();                    // the old page's tiles stop filling it
        }
        m_strokeCache->Clear();
        m_nStrokeCachePage = p_nPageIndex;
    }
    const TLectureInfo page = GetLectureInfoList()[static_cast<size_t>(p_nPageIndex)];
    ShowBoardSizeProblem(m_pdPageDescription.LoadPageInfo(m_state, p_sBasePath, page, *m_boardViewAdapter),
                         PageFolder(p_sBasePath, page.PageName, page.PageID));
    WidenSurfaceToZoomedBoard();
    m_view.SetFrameClockEnabled(true);
    LoadPageSound(p_sBasePath, p_nPageIndex);
    ShowPacketLoadProblem(m_pfPacketFile.LoadPageObjectPacket(p_sBasePath, page), PacketFilePath(p_sBasePath, page));
    PlaySound();
    m_dmDrawManager->Dispose();
    m_dmDrawManager = std::make_unique<TDrawManager>();
    m_mapDrawNo.clear();
    m_pfPacketFile.ResetPacketCursor();
    // The page was recorded from the board's top-left: the view starts there, not where the
    // previous page left it.
    m_state.m_ptViewPoint = TGPPointF{0.0f, 0.0f};
    m_view.SetScrollOffset(QPoint(0, 0));
    RenderFullBoard();
    StartWarmUp(p_nPageIndex);
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

// A page's board surface grows to the page's size at the current zoom, so that a page larger
// than the previous one is not cut off while zoomed in.
void TPlaybackEngine::WidenSurfaceToZoomedBoard()
{
    const TIntPoint zoomed = ZoomedBoardSize();
    const TIntPoint surface = m_view.GetBoardSurfaceSize();
    const TIntPoint widened{std::max(surface.X, zoomed.X), std::max(surface.Y, zoomed.Y)};
    if (widened.X != surface.X || widened.Y != surface.Y) {
        SetBoardSurfaceSize(widened);
    }
}

QSize TPlaybackEngine::GetBoardSize() const
{
    const TIntPoint zoomed = ZoomedBoardSize();
    return {zoomed.X, zoomed.Y};
}

TIntPoint TPlaybackEngine::ZoomedBoardSize() const
{
    const double ratio = m_state.m_viewRatio;
    return {static_cast<int32_t>(RoundHalfEven(m_state.m_ptOriginalImage.X * ratio)),
            static_cast<int32_t>(RoundHalfEven(m_state.m_ptOriginalImage.Y * ratio))};
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
// Zoom

float SteppedZoom(float p_fRatio, bool p_bIncrease)
{
    // The step is added in extended precision and stored in single precision: ten steps up from
    // 1.0 end just above 2.0, and ten steps down return to 1.0 exactly.
    const long double step = p_bIncrease ? 0.1L : -0.1L;
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
    // The warm-up at the old zoom gives way to the rebuild; the new zoom's starts after it.
    if (m_warmUp) {
        m_warmUp->Cancel();
    }
    float& ratio = m_state.m_viewRatio;
    const float stepped = SteppedZoom(ratio, p_bIncrease);
    if (stepped != ratio) {
        ratio = stepped;
        m_view.ReMovePlayerView();
    }
    SetBoardSurfaceSize(ZoomedBoardSize());
    m_view.ShowStatusMessage(QStringLiteral("화면 크기 : %1%").arg(RoundHalfEven(static_cast<double>(ratio) * 100.0)));
    m_view.RefreshToolTips();
    m_view.SetSeekPosition(m_state.m_intCurrentMilesSecond);
    // The rebuild stays in the page: at the very end of a page's voice the position equals the
    // next page's first frame, and a seek there would start that page.
    m_view.SetFrameClockEnabled(false);
    RebuildAtPagePosition();
    StartWarmUp(m_state.m_nCurrentPlayPageIndex);
}

// ---------------------------------------------------------------------------------------------
// Board image

QRect TPlaybackEngine::BoardRect() const
{
    return m_imgBoard.rect();
}

void TPlaybackEngine::SetBoardSurfaceSize(const TIntPoint& p_ptSize)
{
    m_view.SetBoardSurfaceSize(p_ptSize);
    ResizeBoardImage();
}

void TPlaybackEngine::ResizeBoardImage()
{
    const TIntPoint size = m_view.GetBoardSurfaceSize();
    if (m_imgBoard.width() == size.X && m_imgBoard.height() == size.Y) {
        return;
    }
    m_imgBoard = QImage(std::max(size.X, 0), std::max(size.Y, 0), QImage::Format_ARGB32_Premultiplied);
    m_imgBoard.fill(kBoardPanelColor);
    m_rgnChanged = BoardRect();
    m_rgnStale = QRegion();
}

void TPlaybackEngine::LoadLectureImage(const QString& p_sPath, int32_t p_nBoardType)
{
    m_gpImageLecture = std::make_unique<TGPImage>(p_sPath);
    m_state.m_nBoardType = p_nBoardType;
}

void TPlaybackEngine::PaintBoardPicture(TGPGraphics& p_gGraphics) const
{
    const float ratio = m_state.m_viewRatio;
    p_gGraphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    // Pixel centres at half coordinates, so the picture's pixels land on the board's pixels
    // instead of half a pixel down and right.
    p_gGraphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    if (m_state.m_nBoardType == kBoardWhiteNote || m_state.m_nBoardType == kBoardBlackBoard ||
        m_state.m_nBoardType == kBoardWhiteBoard) {
        // Pattern boards: the pattern keeps its size at every zoom.
        const TGPTextureBrush brush(*m_gpImageLecture);
        p_gGraphics.FillRectangle(brush, {0.0f, 0.0f, m_state.m_ptOriginalImage.X * ratio,
                                          m_state.m_ptOriginalImage.Y * ratio});
    } else {
        p_gGraphics.DrawImage(*m_gpImageLecture, TGPRectF{0.0f, 0.0f, m_gpImageLecture->GetWidth() * ratio,
                                                          m_gpImageLecture->GetHeight() * ratio});
    }
}

void TPlaybackEngine::PaintBoard(TGPGraphics& p_gGraphics) const
{
    if (!HasBoardPicture()) {
        return;
    }
    PaintBoardPicture(p_gGraphics);
    m_dmDrawManager->DrawAllDraw(p_gGraphics);
}

void TPlaybackEngine::MarkBoardStale()
{
    m_rgnChanged = QRegion();
    m_rtLiveInk = QRect();
    m_rgnStale = BoardRect();
}

void TPlaybackEngine::RenderFullBoard()
{
    MarkBoardStale();
    ShowBoard();
}

// Only the part on screen now; the rest is rendered when it comes on screen or between ticks.
void TPlaybackEngine::ShowBoard()
{
    EnsureBoardRendered(VisibleBoardRect());
    m_view.BoardChanged(QRect());
}

QRect TPlaybackEngine::VisibleBoardRect() const
{
    return m_view.GetVisibleBoardRect().intersected(BoardRect());
}

void TPlaybackEngine::EnsureBoardRendered(const QRect& p_rt)
{
    const QRegion due = m_rgnStale.intersected(p_rt);
    if (!due.isEmpty()) {
        m_rgnStale -= due;
        RenderBoardRegion(due);
    }
}

bool TPlaybackEngine::IsBoardComplete() const
{
    return m_rgnStale.isEmpty();
}

// After the view moved: what is now on screen is rendered and shown.
void TPlaybackEngine::RenderStaleOnScreen()
{
    const QRect visible = VisibleBoardRect();
    const QRegion due = m_rgnStale.intersected(visible);
    if (!due.isEmpty()) {
        EnsureBoardRendered(visible);
        for (const QRect& rect : due) {
            m_view.BoardChanged(rect);
        }
    }
}

// Between ticks: bands of the part still to render, for a few milliseconds at most, nearest to
// the screen first.
void TPlaybackEngine::RenderStaleSlice()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const int centre = VisibleBoardRect().center().y();
    while (!m_rgnStale.isEmpty() && Clock::now() - start < kStaleSliceBudget) {
        const auto distance = [centre](const QRect& rect) {
            return centre < rect.top() ? rect.top() - centre : std::max(0, centre - rect.bottom());
        };
        const QRect nearest = *std::min_element(m_rgnStale.begin(), m_rgnStale.end(),
                                                [&](const QRect& a, const QRect& b) { return distance(a) < distance(b); });
        // The band of the rectangle that lies towards the screen.
        const int rows = std::min(nearest.height(), kStaleBandRows);
        const int top = nearest.bottom() < centre ? nearest.bottom() + 1 - rows : nearest.top();
        const QRect band(nearest.left(), top, nearest.width(), rows);
        m_rgnStale -= band;
        RenderBoardRegion(band);
        m_view.BoardChanged(band);
    }
}

// Large regions are drawn in two bands of rows, one on each core, when every object on the board
// can be drawn from two threads at once. Each band is painted through its own image over the
// same pixels, clipped to its rows: the bands do not overlap, and clipping leaves the pixels
// inside a band exactly as an unclipped drawing makes them.
void TPlaybackEngine::RenderBoardRegion(const QRegion& p_rgn)
{
    const QRegion region = p_rgn.intersected(BoardRect());
    if (region.isEmpty()) {
        return;
    }
    const QRect bounds = region.boundingRect();
    if (static_cast<int64_t>(bounds.width()) * bounds.height() < kParallelMinPixels || !PrepareParallelDraw()) {
        RenderRegionInto(m_imgBoard, region);
        return;
    }
    const QRegion upperRegion = region.intersected(QRect(0, 0, m_imgBoard.width(), bounds.top() + bounds.height() / 2));
    const QRegion lowerRegion = region.subtracted(upperRegion);
    QImage lower(m_imgBoard.bits(), m_imgBoard.width(), m_imgBoard.height(), m_imgBoard.bytesPerLine(),
                 m_imgBoard.format());
    std::thread worker([&] { RenderRegionInto(lower, lowerRegion); });
    RenderRegionInto(m_imgBoard, upperRegion);
    worker.join();
}

// Strokes and lines draw from their own data without changing it once their path's figure boxes
// are worked out; other kinds are drawn on one thread.
bool TPlaybackEngine::PrepareParallelDraw() const
{
    for (int i = 0; i < m_dmDrawManager->GetCount(); ++i) {
        const TDrawParent* draw = m_dmDrawManager->GetDraw(i);
        if (const auto* strokes = dynamic_cast<const TDrawStrokes*>(draw)) {
            strokes->GetGraphicsPath().GetFigureBoxes();
        } else if (const auto* line = dynamic_cast<const TDrawLine*>(draw)) {
            line->GetGraphicsPath().GetFigureBoxes();
        } else {
            return false;
        }
    }
    return true;
}

// Paints the region of the board into an image of the board's pixels.
void TPlaybackEngine::RenderRegionInto(QImage& p_imgTarget, const QRegion& p_rgn) const
{
    QPainter painter(&p_imgTarget);
    for (const QRect& rect : p_rgn) {
        painter.setClipRect(rect);
        painter.fillRect(rect, QColor::fromRgba(kBoardPanelColor));
        if (!HasBoardPicture()) {
            continue;
        }
        TGPGraphics graphics(painter);
        graphics.SetStrokeCache(m_strokeCache.get());
        PaintBoardPicture(graphics);
        // The quality modes of the manager's DrawAllDraw, then only the objects that reach here.
        graphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        graphics.SetInterpolationMode(TGPInterpolationMode::HighQualityBicubic);
        const QRectF area(rect);
        for (int i = 0; i < m_dmDrawManager->GetCount(); ++i) {
            TDrawParent* draw = m_dmDrawManager->GetDraw(i);
            if (ExtentOf(*draw).intersects(area)) {
                draw->Draw(graphics);
            }
        }
    }
}

void TPlaybackEngine::FlushBoardChanges()
{
    const QRegion region = m_rgnChanged.united(m_rtLiveInk);
    m_rgnChanged = QRegion();
    m_rtLiveInk = QRect();
    m_rgnStale -= region;
    RenderBoardRegion(region);
    for (const QRect& rect : region.intersected(BoardRect())) {
        m_view.BoardChanged(rect);
    }
}
