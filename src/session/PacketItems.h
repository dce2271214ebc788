#pragma once
// One packet record from its fields, as the lecture tools, the benchmarks and the tests write them.

#include "session/CommDefine.h"

#include <cstdint>

inline TPacketItem MakePacketItem(uint8_t p_type, int32_t p_nFrame, uint32_t p_drawNo = 0, float p_fp1 = 0,
                                  float p_fp2 = 0, float p_fp3 = 0, float p_fp4 = 0, uint8_t p_byteParam = 0)
{
    TPacketItem item;
    item.PacketType = p_type;
    item.FrameNo = p_nFrame;
    item.DrawNo = p_drawNo;
    item.ByteParam = p_byteParam;
    item.FloatParam1 = p_fp1;
    item.FloatParam2 = p_fp2;
    item.FloatParam3 = p_fp3;
    item.FloatParam4 = p_fp4;
    return item;
}
