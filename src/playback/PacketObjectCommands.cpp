// The object commands of the packet interpreter: shapes (31-35), pictures (71-74), audio clips
// (81-87), rich text (91-93) and pop-blinkers (101-103). Each family's handler runs in the mode
// PacketPlay set and uses the shared steps (Scaled, ScaledRect, FollowPoint, RecordPoint,
// RepaintBoard, FindDraw, AddDraw, DeleteDraw, MarkChanged, MoveDraw, ResizeDraw).
// Until a family is built its commands change nothing.

#include "playback/PlaybackEngine.h"

void TPlaybackEngine::PlayShapeCommand(const TPacketItem& /*p_pi*/) {}

void TPlaybackEngine::PlayImageCommand(const TPacketItem& /*p_pi*/) {}

void TPlaybackEngine::PlayMP3Command(const TPacketItem& /*p_pi*/) {}

void TPlaybackEngine::PlayRichXMLCommand(const TPacketItem& /*p_pi*/) {}

void TPlaybackEngine::PlayPopBlinkerCommand(const TPacketItem& /*p_pi*/) {}
