// The object commands of the packet interpreter: shapes (31-35), pictures (71-74), audio clips
// (81-87), rich text (91-93) and pop-blinkers (101-103). Each family's handler runs in the mode
// PacketPlay set and uses the shared steps (Scaled, ScaledRect, FollowPoint, RecordPoint,
// RepaintBoard, FindDraw, AddDraw, DeleteDraw, MarkChanged, MoveDraw, ResizeDraw). A command
// aimed at a number that no object of its family carries is skipped.

#include "playback/PlaybackEngine.h"

#include "content/ResourceManager.h"
#include "draw/DrawImage.h"
#include "draw/DrawMP3.h"
#include "draw/DrawPopBlinker.h"
#include "draw/DrawRichXML.h"
#include "draw/DrawShape.h"
#include "platform/Rounding.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

int32_t RoundToInt32(float value)
{
    const int64_t rounded = RoundHalfEven(value);
    return static_cast<int32_t>(std::clamp<int64_t>(rounded, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

TGPPointF TopLeft(const TGPRectF& rect)
{
    return {rect.X, rect.Y};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Shapes

void TPlaybackEngine::PlayShapeCommand(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 31) {
        // Created unstyled: code 32 gives fill, border, colours and opacity.
        auto shape = std::make_unique<TDrawShape>(BoardHandle(), p_pi.DrawNo, static_cast<ShapeType>(p_pi.ByteParam),
                                                  false, false, 0, 0, 0, Thickness{2}, LineType{1});
        shape->SetResourceNo(0);
        const TGPRectF bounds = ScaledRect(p_pi);
        shape->SetBounds(bounds);
        FollowPoint(TopLeft(bounds));
        AddDraw(std::move(shape));
        return;
    }
    TDrawShape* shape = FindDraw<TDrawShape>(p_pi.DrawNo);
    if (shape == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 32:
        // Each float carries two small numbers as high * 1000 + low.
        MarkChanged(shape);
        shape->SetFillFace(PackedHighPart(p_pi.FloatParam1) == 1);
        shape->SetDrawBorder(PackedLowPart(p_pi.FloatParam1) == 1);
        shape->SetFaceColorIndex(PackedHighPart(p_pi.FloatParam2));
        shape->SetBorderColorIndex(PackedLowPart(p_pi.FloatParam2));
        shape->SetBorderThickness(PackedHighPart(p_pi.FloatParam3));
        shape->SetBorderType(PackedLowPart(p_pi.FloatParam3));
        shape->SetShapeOpacity(p_pi.ByteParam);
        MarkChanged(shape);
        RepaintBoard();
        return;
    case 33:
        FollowPoint(MoveDraw(*shape, p_pi));
        RepaintBoard();
        return;
    case 34:
        FollowPoint(ResizeDraw(*shape, p_pi));
        RepaintBoard();
        return;
    case 35:
        DeleteDraw(shape);
        RepaintBoard();
        return;
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Pictures: they never scroll the view, and only their creation repaints.

void TPlaybackEngine::PlayImageCommand(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 71) {
        const TResourceItem* resource = GetResourceManager().FindResourceItem(p_pi.ByteParam);
        if (resource == nullptr) {
            return;
        }
        // A missing or unreadable file still gives the object; it draws nothing.
        constexpr int kPictureOpacity = 90;
        auto image = std::make_unique<TDrawImage>(BoardHandle(), p_pi.DrawNo, resource->GetResourceFilePath(),
                                                  kPictureOpacity);
        const TGPRectF bounds = ScaledRect(p_pi);
        image->SetBounds(bounds);
        image->SetResourceNo(p_pi.ByteParam);
        AddDraw(std::move(image));
        FollowPoint(TopLeft(bounds));
        RepaintBoard();
        return;
    }
    TDrawImage* image = FindDraw<TDrawImage>(p_pi.DrawNo);
    if (image == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 72:
        RecordPoint(MoveDraw(*image, p_pi));
        return;
    case 73:
        RecordPoint(ResizeDraw(*image, p_pi));
        return;
    case 74:
        DeleteDraw(image);
        return;
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Audio clips: invisible, so nothing of theirs repaints. The interpreter never plays them.

void TPlaybackEngine::PlayMP3Command(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 81) {
        const TResourceItem* resource = GetResourceManager().FindResourceItem(p_pi.ByteParam);
        if (resource == nullptr) {
            return;
        }
        // A board-only engine keeps the clip's place on the board without opening its file.
        auto clip = std::make_unique<TDrawMP3>(BoardHandle(), p_pi.DrawNo, resource->GetResourceName(),
                                               m_bBoardOnly ? QString() : resource->GetResourceFilePath());
        const TGPRectF bounds = ScaledRect(p_pi);
        clip->SetBounds(bounds);
        clip->SetResourceNo(p_pi.ByteParam);
        AddDraw(std::move(clip));
        FollowPoint(TopLeft(bounds));
        return;
    }
    TDrawMP3* clip = FindDraw<TDrawMP3>(p_pi.DrawNo);
    if (clip == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 85:
        // Live play leaves the clip where it is.
        if (!m_bLiveMode) {
            clip->MP3SetPosition(RoundToInt32(p_pi.FloatParam1));
        }
        return;
    case 86:
        MoveDraw(*clip, p_pi);
        return;
    case 87:
        DeleteDraw(clip);
        return;
    default:
        // 82 to 84 reach the clip and do nothing more.
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Rich text

void TPlaybackEngine::PlayRichXMLCommand(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 91) {
        const TResourceItem* resource = GetResourceManager().FindResourceItem(p_pi.ByteParam);
        if (resource == nullptr) {
            return;
        }
        const QString path = resource->GetResourceFilePath();
        if (!QFileInfo(path).isFile()) {
            return;
        }
        // An unreadable file creates nothing and playback goes on; ravo-tool check names it.
        std::unique_ptr<TDrawRichXML> text =
            TDrawRichXML::Create(BoardHandle(), p_pi.DrawNo, path, m_state.m_viewRatio);
        if (!text) {
            return;
        }
        const TGPRectF bounds = ScaledRect(p_pi);
        text->SetBounds(bounds);
        text->SetResourceNo(p_pi.ByteParam);
        AddDraw(std::move(text));
        FollowPoint(TopLeft(bounds));
        RepaintBoard();
        return;
    }
    TDrawRichXML* text = FindDraw<TDrawRichXML>(p_pi.DrawNo);
    if (text == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 92:
        FollowPoint(MoveDraw(*text, p_pi));
        RepaintBoard();
        return;
    case 93:
        DeleteDraw(text);
        RepaintBoard();
        return;
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Pop-blinkers

void TPlaybackEngine::PlayPopBlinkerCommand(const TPacketItem& p_pi)
{
    if (p_pi.PacketType == 101) {
        auto marker = std::make_unique<TDrawPopBlinker>(BoardHandle(), p_pi.DrawNo,
                                                        static_cast<PopBlinkerType>(p_pi.ByteParam), m_state.m_sExeDir);
        const TGPPointF point = Scaled(p_pi.FloatParam1, p_pi.FloatParam2);
        // The picture keeps its own size at every zoom.
        marker->InitBounds(point.X, point.Y);
        marker->SetResourceNo(0);
        AddDraw(std::move(marker));
        FollowPoint(point);
        RepaintBoard();
        return;
    }
    TDrawPopBlinker* marker = FindDraw<TDrawPopBlinker>(p_pi.DrawNo);
    if (marker == nullptr) {
        return;
    }
    switch (p_pi.PacketType) {
    case 102:
        FollowPoint(MoveDraw(*marker, p_pi));
        RepaintBoard();
        return;
    case 103:
        DeleteDraw(marker);
        RepaintBoard();
        return;
    default:
        return;
    }
}
