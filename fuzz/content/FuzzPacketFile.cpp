// The packet reader and its cursor on any bytes: every complete record is kept, the rest is
// reported, and one pass over the page hands out every record exactly once, in file order.

#include "FuzzScratch.h"

#include "content/PacketFile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = WriteFuzzInput(QStringLiteral("packet.dat"), data, size);
    TPacketFile packets;
    const TPacketLoadResult result = packets.LoadPacketFile(path);
    const std::vector<TPacketItem>& items = packets.GetPacketList();
    FuzzCheck(items.size() == size / kPacketItemSize, "every complete record is kept");
    FuzzCheck(static_cast<size_t>(result.ignoredBytes) == size % kPacketItemSize, "the tail is counted");
    FuzzCheck((result.status == TPacketLoadStatus::Loaded) == (size % kPacketItemSize == 0), "the status fits");
    for (size_t i = 0; i < items.size(); ++i) {
        unsigned char raw[kPacketItemSize];
        PacketItemToBytes(items[i], raw);
        FuzzCheck(std::memcmp(raw, data + i * kPacketItemSize, kPacketItemSize) == 0, "records keep their bytes");
    }

    // Walk the page at frames taken from the input; every record comes out once, in order.
    size_t handedOut = 0;
    for (size_t step = 0; step <= size && handedOut < items.size(); step += 4) {
        uint32_t frame = UINT32_MAX;
        if (step + 4 <= size) {
            std::memcpy(&frame, data + step, 4);
        }
        while (const TPacketItem* item = packets.GetNextPacket(frame)) {
            FuzzCheck(item == &items[handedOut], "records come out in file order");
            FuzzCheck(item->FrameNo < 0 || static_cast<int64_t>(item->FrameNo) <= frame, "only due records");
            ++handedOut;
        }
    }
    FuzzCheck(handedOut == items.size(), "the last frame hands out every record");
    FuzzCheck(packets.GetNextPacket(UINT32_MAX) == nullptr, "nothing after the last record");
    return 0;
}
