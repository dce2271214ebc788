#pragma once
// The board work of the soak benchmarks' pages: generated from a seed, dense, on a board of
// kBoardWidth x kBoardHeight.

#include "session/CommDefine.h"
#include "session/PacketItems.h"

#include <QByteArray>

#include <cstdint>
#include <random>
#include <vector>

inline constexpr int kBoardWidth = 1600;
inline constexpr int kBoardHeight = 1200;

// A teacher's board work for a page of `seconds`: a step every second or two, each a stroke group
// written point by point, a line, a shape, the pointer or a scroll; with p_nPictures picture
// resources (numbered from 1), now and then one of them is placed, moved and resized.
class TBoardWork {
public:
    explicit TBoardWork(uint32_t seed, int p_nPictures = 0) : m_random(seed), m_nPictures(p_nPictures) {}

    std::vector<TPacketItem> Make(int seconds)
    {
        const int32_t lastFrame = seconds * 1000 / kFrameMilliseconds;
        for (int32_t frame = 1; frame < lastFrame; frame += Int(25, 50)) {
            Step(frame);
        }
        return m_packets;
    }

private:
    void Step(int32_t frame)
    {
        const uint32_t drawNo = m_nextDrawNo++;
        const float x = Float(0, kBoardWidth);
        const float y = Float(0, kBoardHeight);
        if (m_nPictures > 0 && Int(0, kPictureEverySteps - 1) == 0) {
            Add(frame, 71, drawNo, x, y, Float(80, 400), Float(60, 300), static_cast<uint8_t>(Int(1, m_nPictures)));
            Add(frame + 10, 72, drawNo, x + Float(-100, 100), y + Float(-100, 100));
            Add(frame + 20, 73, drawNo, x, y, Float(80, 400), Float(60, 300));
            return;
        }
        switch (Int(0, 5)) {
        case 0:
        case 1:
        case 2: {
            Add(frame, 1, drawNo);
            Add(frame, 2, drawNo, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), 100);
            Add(frame, 3, drawNo);
            float px = x;
            float py = y;
            for (int i = 0; i < Int(5, 30); ++i) {
                Add(frame + i, 4, drawNo, px, py);
                px += Float(-20, 20);
                py += Float(-20, 20);
            }
            Add(frame + 30, 5, drawNo);
            return;
        }
        case 3:
            Add(frame, 21, drawNo, x, y, Float(0, kBoardWidth), Float(0, kBoardHeight));
            Add(frame, 22, drawNo, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), 100, 1, 0);
            return;
        case 4:
            Add(frame, 31, drawNo, x, y, Float(20, 300), Float(20, 200), static_cast<uint8_t>(Int(1, 4)));
            Add(frame, 32, drawNo, 1001, static_cast<float>(Int(0, 69) * 1000 + Int(0, 69)), 2001, 0, 80);
            return;
        default:
            Add(frame, 121, 0);
            Add(frame, 122, 0, x, y);
            Add(frame + 10, 123, 0);
            Add(frame + 12, 111, 0, Float(0, kBoardWidth / 2), Float(0, kBoardHeight / 2));
            return;
        }
    }

    void Add(int32_t frame, uint8_t type, uint32_t drawNo, float fp1 = 0, float fp2 = 0, float fp3 = 0, float fp4 = 0,
             uint8_t byteParam = 0)
    {
        m_packets.push_back(MakePacketItem(type, frame, drawNo, fp1, fp2, fp3, fp4, byteParam));
    }

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    float Float(float low, float high) { return std::uniform_real_distribution<float>(low, high)(m_random); }

    static constexpr int kPictureEverySteps = 20;

    std::mt19937 m_random;
    const int m_nPictures;
    std::vector<TPacketItem> m_packets;
    uint32_t m_nextDrawNo = 1;
};

// The records as a packet file holds them.
inline QByteArray PacketFileBytes(const std::vector<TPacketItem>& packets)
{
    QByteArray bytes(static_cast<qsizetype>(packets.size() * kPacketItemSize), '\0');
    for (size_t i = 0; i < packets.size(); ++i) {
        PacketItemToBytes(packets[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * kPacketItemSize);
    }
    return bytes;
}
