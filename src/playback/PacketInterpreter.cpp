// The packet interpreter: the dispatch, the strokes, lines, view and pointer commands, the steps
// every command family shares (scaling, follow, record, repaint) and the bookkeeping of which
// part of the board a command changed, which the board surface renders at the next repaint.

#include "playback/PlaybackEngine.h"

#include "draw/DrawLine.h"
#include "draw/DrawStrokes.h"
#include "platform/Rounding.h"
#include "platform/graphics/GPGraphics.h"

namespace {

// A live stroke piece reaches half the pen width beyond its points, plus anti-aliasing.
constexpr float kLiveInkMargin = 2.0f;

int RoundParam(float value)
{
    return static_cast<int>(RoundHalfEven(value));
}

TGPRectF UnsetRect()
{
    TGPRectF rect;
    InitUnsetRect(rect);
    return rect;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Dispatch

void TPlaybackEngine::PacketPlay(const TPacketItem& p_piPacketItem, bool p_boolInvalidate, bool /*p_bUntilDraw*/)
{
    // Live mode repaints and scrolls; rebuild mode only records, and ends in one full render.
    m_bLiveMode = p_boolInvalidate;
    const uint8_t code = p_piPacketItem.PacketType;
    if ((code >= 1 && code <= 8) || code == 12) {
        PlayStrokeCommand(p_piPacketItem);
    } else if (code >= 21 && code <= 24) {
        PlayLineCommand(p_piPacketItem);
    } else if (code >= 31 && code <= 35) {
        PlayShapeCommand(p_piPacketItem);
    } else if (code >= 71 && code <= 74) {
        PlayImageCommand(p_piPacketItem);
    } else if (code >= 81 && code <= 87) {
        PlayMP3Command(p_piPacketItem);
    } else if (code >= 91 && code <= 93) {
        PlayRichXMLCommand(p_piPacketItem);
    } else if (code >= 101 && code <= 103) {
        PlayPopBlinkerCommand(p_piPacketItem);
    } else if (code == 111 || (code >= 121 && code <= 123)) {
        PlayViewCommand(p_piPacketItem);
    }
}

// ---------------------------------------------------------------------------------------------
// Freehand strokes

void TPlaybackEngine::PlayStrokeCommand(const TPacketItem& p_pi)
{
    switch (p_pi.PacketType) {
    case 1:
        CreateStrokes(p_pi.DrawNo);
        return;
    case 3: {
        TDrawStrokes* strokes = FindDraw<TDrawStrokes>(p_pi.DrawNo);
        if (strokes == nullptr && m_mapDrawNo.find(p_pi.DrawNo) == m_mapDrawNo.end()) {
            strokes = CreateStrokes(p_pi.DrawNo);
        }
        if (strokes != nullptr) {
            strokes->PrepareStroke();
        }
        return;
    }
    default:
        break;
    }
    TDrawStrokes* strokes = FindDraw<TDrawStrokes>(p_pi.DrawNo);
    if (strokes == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 2:
        MarkChanged(strokes);
        strokes->SetStrokeColorIndex(RoundParam(p_pi.FloatParam1));
        strokes->SetStrokeThickness(static_cast<Thickness>(RoundParam(p_pi.FloatParam2)));
        strokes->SetStrokeOpacity(RoundParam(p_pi.FloatParam3));
        MarkChanged(strokes);
        return;
    case 4:
        AddStrokePoint(*strokes, Scaled(p_pi.FloatParam1, p_pi.FloatParam2));
        return;
    case 5:
        EndStroke(*strokes);
        RepaintBoard();
        return;
    case 6:
        FollowPoint(MoveDraw(*strokes, p_pi));
        RepaintBoard();
        return;
    case 7:
        FollowPoint(ResizeDraw(*strokes, p_pi));
        RepaintBoard();
        return;
    case 8:
        DeleteDraw(strokes);
        RepaintBoard();
        return;
    case 12:
        UndoStroke(*strokes);
        RepaintBoard();
        return;
    default:
        return;
    }
}

TDrawStrokes* TPlaybackEngine::CreateStrokes(uint32_t p_u32DrawNo)
{
    auto strokes = std::make_unique<TDrawStrokes>(BoardHandle(), p_u32DrawNo, std::vector<TPointList>{}, 0, 0, 2);
    strokes->SetResourceNo(0);
    strokes->SetBounds(UnsetRect());
    TDrawStrokes* created = strokes.get();
    AddDraw(std::move(strokes));
    return created;
}

void TPlaybackEngine::AddStrokePoint(TDrawStrokes& p_strokes, const TGPPointF& p_pt)
{
    FollowPoint(p_pt);
    if (!m_bLiveMode) {
        p_strokes.AddNewPoint(p_pt);
        return;
    }
    // The new piece goes straight onto the board image.
    const TPointList& writing = p_strokes.GetWritingPoints();
    const TGPPointF from = writing.empty() ? p_pt : writing.back();
    const float reach = p_strokes.GetStrokeWidth() / 2.0f + kLiveInkMargin;
    const TGPRectF segment{std::min(from.X, p_pt.X), std::min(from.Y, p_pt.Y), std::abs(p_pt.X - from.X),
                           std::abs(p_pt.Y - from.Y)};
    const QRectF piece(segment.X - reach, segment.Y - reach, segment.Width + 2 * reach, segment.Height + 2 * reach);
    m_board.DrawLiveInk(piece, [&](TGPGraphics& graphics) { p_strokes.AddNewPoint(graphics, p_pt); });
}

// A group at its recorded scale keeps its other strokes where they are when one is added or
// taken back: only that stroke's area changes. A stretched group snaps back to its recorded
// scale, so all of it changes.
bool TPlaybackEngine::AtRecordedScale(const TDrawStrokes& p_strokes)
{
    return p_strokes.GetBounds() == p_strokes.GetOriginalBounds();
}

void TPlaybackEngine::EndStroke(TDrawStrokes& p_strokes)
{
    if (!m_bLiveMode || !AtRecordedScale(p_strokes)) {
        MarkChanged(&p_strokes);
        p_strokes.AddNewStroke();
        MarkChanged(&p_strokes);
        return;
    }
    const int count = p_strokes.GetStrokeCount();
    p_strokes.AddNewStroke();
    if (p_strokes.GetStrokeCount() > count) {
        m_board.MarkChanged(p_strokes.GetStrokePaintExtent(count));
    }
}

void TPlaybackEngine::UndoStroke(TDrawStrokes& p_strokes)
{
    const int count = p_strokes.GetStrokeCount();
    if (!m_bLiveMode || !AtRecordedScale(p_strokes) || count == 0) {
        MarkChanged(&p_strokes);
        p_strokes.DeleteLastStroke();
        MarkChanged(&p_strokes);
        return;
    }
    m_board.MarkChanged(p_strokes.GetStrokePaintExtent(count - 1));
    p_strokes.DeleteLastStroke();
}

// ---------------------------------------------------------------------------------------------
// Lines and arrows

void TPlaybackEngine::PlayLineCommand(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 21) {
        auto line = std::make_unique<TDrawLine>(BoardHandle(), p_pi.DrawNo, kLineArrowRound, 1, 0, 0, 2);
        line->SetResourceNo(0);
        line->SetBounds(UnsetRect());
        line->SetStartPoint(Scaled(p_pi.FloatParam1, p_pi.FloatParam2));
        line->SetEndPoint(Scaled(p_pi.FloatParam3, p_pi.FloatParam4));
        AddDraw(std::move(line));
        return;
    }
    TDrawLine* line = FindDraw<TDrawLine>(p_pi.DrawNo);
    if (line == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 22:
        MarkChanged(line);
        line->SetLineColorIndex(RoundParam(p_pi.FloatParam1));
        line->SetLineThickness(static_cast<Thickness>(RoundParam(p_pi.FloatParam2)));
        line->SetLineOpacity(RoundParam(p_pi.FloatParam3));
        line->SetLineType(static_cast<LineType>(RoundParam(p_pi.FloatParam4)));
        line->SetLineArrow(p_pi.ByteParam);
        MarkChanged(line);
        FollowPoint(line->GetStartPoint());
        RepaintBoard();
        return;
    case 23:
        MarkChanged(line);
        line->SetStartPoint(Scaled(p_pi.FloatParam1, p_pi.FloatParam2));
        line->SetEndPoint(Scaled(p_pi.FloatParam3, p_pi.FloatParam4));
        MarkChanged(line);
        FollowPoint(line->GetStartPoint());
        RepaintBoard();
        return;
    case 24:
        DeleteDraw(line);
        RepaintBoard();
        return;
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// View and pointer

void TPlaybackEngine::PlayViewCommand(const TPacketItem& p_pi)
{
    switch (p_pi.PacketType) {
    case 111:
        // The vertical offset comes first here, unlike the drawing commands' points.
        ScroolBoxMovePoint({p_pi.FloatParam2, p_pi.FloatParam1});
        RepaintBoard();
        return;
    case 121:
        m_view.ShowPointerStick();
        RepaintBoard();
        return;
    case 122:
        m_view.PlacePointerStick(RoundParam(p_pi.FloatParam1), RoundParam(p_pi.FloatParam2));
        FollowPoint({p_pi.FloatParam1, p_pi.FloatParam2});
        return;
    case 123:
        m_view.HidePointerStick();
        return;
    default:
        return;
    }
}

void TPlaybackEngine::ScroolBoxToCenterPoint(const TGPPointF& p_ClientPoint)
{
    const QPoint offset = m_view.GetScrollOffset();
    const QSize visible = m_view.GetVisibleSize();
    m_state.m_viewScreenRect = {static_cast<float>(offset.x()), static_cast<float>(offset.y()),
                                static_cast<float>(visible.width()), static_cast<float>(visible.height())};
    if (PtInRectF(p_ClientPoint, m_state.m_viewScreenRect)) {
        return;
    }
    const int64_t left = RoundHalfEven(p_ClientPoint.X - RoundHalfEven(visible.width() / 2.0));
    const int64_t top = RoundHalfEven(p_ClientPoint.Y - RoundHalfEven(visible.height() / 2.0));
    m_view.SetScrollOffset(QPoint(static_cast<int>(std::max<int64_t>(left, 0)), static_cast<int>(std::max<int64_t>(top, 0))));
    m_board.RenderStaleOnScreen();
}

void TPlaybackEngine::ScroolBoxMovePoint(const TGPPointF& p_ClientPoint)
{
    m_view.SetScrollOffset(QPoint(RoundParam(p_ClientPoint.X), RoundParam(p_ClientPoint.Y)));
    m_board.RenderStaleOnScreen();
}

// ---------------------------------------------------------------------------------------------
// Steps shared by the command families

TGPPointF TPlaybackEngine::Scaled(float p_fX, float p_fY) const
{
    return {p_fX * m_state.m_viewRatio, p_fY * m_state.m_viewRatio};
}

TGPRectF TPlaybackEngine::ScaledRect(const TPacketItem& p_pi) const
{
    const float ratio = m_state.m_viewRatio;
    return {p_pi.FloatParam1 * ratio, p_pi.FloatParam2 * ratio, p_pi.FloatParam3 * ratio, p_pi.FloatParam4 * ratio};
}

void TPlaybackEngine::FollowPoint(const TGPPointF& p_pt)
{
    if (m_bLiveMode) {
        ScroolBoxToCenterPoint(p_pt);
    }
    RecordPoint(p_pt);
}

void TPlaybackEngine::RecordPoint(const TGPPointF& p_pt)
{
    m_state.m_ptViewPoint = p_pt;
}

void TPlaybackEngine::RepaintBoard()
{
    if (m_bLiveMode) {
        m_board.FlushChanges();
    }
}

void TPlaybackEngine::AddDraw(std::unique_ptr<TDrawParent> p_dpDraw)
{
    TDrawParent* draw = p_dpDraw.get();
    if (draw == nullptr) {
        return;
    }
    // The lookup reaches the first object registered under a number.
    TDrawNoEntry& entry = m_mapDrawNo[draw->GetDrawNo()];
    if (entry.count++ == 0) {
        entry.first = draw;
    }
    m_dmDrawManager.AddDraw(std::move(p_dpDraw));
    MarkChanged(draw);
}

void TPlaybackEngine::DeleteDraw(TDrawParent* p_dpDraw)
{
    if (p_dpDraw == nullptr) {
        return;
    }
    MarkChanged(p_dpDraw);
    const uint32_t drawNo = p_dpDraw->GetDrawNo();
    m_dmDrawManager.DeleteDraw(p_dpDraw);
    const auto entry = m_mapDrawNo.find(drawNo);
    if (entry == m_mapDrawNo.end()) {
        return;
    }
    if (--entry->second.count == 0) {
        m_mapDrawNo.erase(entry);
    } else if (entry->second.first == p_dpDraw) {
        entry->second.first = m_dmDrawManager.FindDrawByDrawNo(drawNo);
    }
}

void TPlaybackEngine::DeleteAllDraw()
{
    m_dmDrawManager.DeleteAllDraw();
    m_mapDrawNo.clear();
}

TDrawParent* TPlaybackEngine::FindDrawByDrawNo(uint32_t p_u32DrawNo) const
{
    const auto entry = m_mapDrawNo.find(p_u32DrawNo);
    return entry == m_mapDrawNo.end() ? nullptr : entry->second.first;
}

void TPlaybackEngine::MarkChanged(const TDrawParent* p_dpDraw)
{
    if (m_bLiveMode) {
        m_board.MarkChanged(p_dpDraw->GetPaintExtent());
    }
}

TGPPointF TPlaybackEngine::MoveDraw(TDrawParent& p_dpDraw, const TPacketItem& p_pi)
{
    TGPRectF bounds = p_dpDraw.GetBounds();
    const TGPPointF topLeft = Scaled(p_pi.FloatParam1, p_pi.FloatParam2);
    bounds.X = topLeft.X;
    bounds.Y = topLeft.Y;
    MarkChanged(&p_dpDraw);
    p_dpDraw.SetBounds(bounds);
    MarkChanged(&p_dpDraw);
    return topLeft;
}

TGPPointF TPlaybackEngine::ResizeDraw(TDrawParent& p_dpDraw, const TPacketItem& p_pi)
{
    const TGPRectF bounds = ScaledRect(p_pi);
    MarkChanged(&p_dpDraw);
    p_dpDraw.SetBounds(bounds);
    MarkChanged(&p_dpDraw);
    return {bounds.X, bounds.Y};
}
