// The packet file reader and its cursor.

#include "ContentFixture.h"

#include "content/PacketFile.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <cstring>
#include <limits>
#include <vector>

namespace {

// The FrameNo of every record handed out at each frame, draining as the callers do.
std::vector<std::vector<int32_t>> DrainByFrame(TPacketFile& packets, const std::vector<uint32_t>& frames)
{
    std::vector<std::vector<int32_t>> handedOut;
    for (const uint32_t frame : frames) {
        std::vector<int32_t> due;
        while (const TPacketItem* item = packets.GetNextPacket(frame)) {
            due.push_back(item->FrameNo);
        }
        handedOut.push_back(due);
    }
    return handedOut;
}

class PacketFileTest : public ScratchFolder {
protected:
    TPacketLoadResult Load(const QByteArray& bytes)
    {
        WriteFileBytes(Path("packet.dat"), bytes);
        return m_packets.LoadPacketFile(Path("packet.dat"));
    }

    TPacketFile m_packets;
};

struct CursorCase {
    const char* name;
    std::vector<int32_t> frameNos;
    std::vector<uint32_t> frames;
    std::vector<std::vector<int32_t>> expected;
};

TEST_F(PacketFileTest, RecordsAreHandedOutInFileOrderWhenDue)
{
    constexpr uint32_t kLastFrame = std::numeric_limits<uint32_t>::max();
    const std::vector<CursorCase> cases = {
        {"0 0 5 3: the 3 waits behind the 5", {0, 0, 5, 3}, {0, 1, 2, 3, 4, 5, 6},
         {{0, 0}, {}, {}, {}, {}, {5, 3}, {}}},
        {"-1 behind 100 waits for frame 100", {100, -1}, {0, 99, 100, 101}, {{}, {}, {100, -1}, {}}},
        {"negative first record due at frame 0", {-1, -2147483647 - 1, 0}, {0}, {{-1, -2147483647 - 1, 0}}},
        // A 32-bit signed comparison would read the frame as -1 and never let the record through.
        {"frames above 2^31 compare as unsigned", {std::numeric_limits<int32_t>::max()},
         {2147483646u, kLastFrame}, {{}, {std::numeric_limits<int32_t>::max()}}},
        {"empty list hands out nothing", {}, {0, 5, kLastFrame}, {{}, {}, {}}},
        {"going back in time hands out nothing again", {0, 10}, {10, 0, 10}, {{0, 10}, {}, {}}},
    };
    for (const CursorCase& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes;
        for (const int32_t frameNo : c.frameNos) {
            bytes += PacketBytes({PacketAt(frameNo)});
        }
        ASSERT_EQ(Load(bytes).status, TPacketLoadStatus::Loaded);
        EXPECT_EQ(DrainByFrame(m_packets, c.frames), c.expected);
    }
}

TEST_F(PacketFileTest, ResetHandsOutEveryRecordAgainAndLoadingResetsTheCursor)
{
    Load(PacketBytes({PacketAt(0), PacketAt(3)}));
    EXPECT_EQ(DrainByFrame(m_packets, {10, 10}), (std::vector<std::vector<int32_t>>{{0, 3}, {}}));
    EXPECT_EQ(m_packets.GetPrevPopPacketIndex(), 1);
    m_packets.ResetPacketCursor();
    EXPECT_EQ(DrainByFrame(m_packets, {10}), (std::vector<std::vector<int32_t>>{{0, 3}}));

    // A shorter page after a longer one: the old cursor must not point past the new list.
    Load(PacketBytes({PacketAt(7)}));
    EXPECT_EQ(m_packets.GetPrevPopPacketIndex(), -1);
    EXPECT_EQ(DrainByFrame(m_packets, {7}), (std::vector<std::vector<int32_t>>{{7}}));
}

TEST_F(PacketFileTest, RecordsKeepEveryFieldOfTheirLittleEndianImage)
{
    TPacketItem item;
    item.PacketType = 31;
    item.FrameNo = -123456;
    item.DrawNo = 0xDEADBEEF;
    item.ByteParam = 44;
    item.Byte2Param = 0xBEEF;
    item.FloatParam1 = 100.25f;
    item.FloatParam2 = -40.5f;
    item.FloatParam3 = 1e-30f;
    item.FloatParam4 = 3001.0f;
    QByteArray bytes = PacketBytes({item});
    // Padding is carried as it is.
    bytes[1] = 'x';
    bytes[13] = 'y';
    ASSERT_EQ(bytes.mid(4, 4), QByteArray::fromHex("c01dfeff"));   // -123456, little-endian

    ASSERT_EQ(Load(bytes).status, TPacketLoadStatus::Loaded);
    ASSERT_EQ(m_packets.GetPacketList().size(), 1u);
    const TPacketItem& read = m_packets.GetPacketList()[0];
    EXPECT_EQ(read.PacketType, 31);
    EXPECT_EQ(read.FrameNo, -123456);
    EXPECT_EQ(read.DrawNo, 0xDEADBEEFu);
    EXPECT_EQ(read.ByteParam, 44);
    EXPECT_EQ(read.Byte2Param, 0xBEEF);
    EXPECT_EQ(read.FloatParam1, 100.25f);
    EXPECT_EQ(read.FloatParam2, -40.5f);
    EXPECT_EQ(read.FloatParam3, 1e-30f);
    EXPECT_EQ(read.FloatParam4, 3001.0f);
    EXPECT_EQ(read.Padding1[0], 'x');
    EXPECT_EQ(read.Padding2, 'y');
}

TEST_F(PacketFileTest, BrokenFilesKeepEveryCompleteRecordAndSayWhatWasLeft)
{
    struct LengthCase {
        int extraBytes;
        int records;
        TPacketLoadStatus status;
    };
    const std::vector<LengthCase> cases = {
        {0, 3, TPacketLoadStatus::Loaded},
        {1, 3, TPacketLoadStatus::Truncated},
        {31, 3, TPacketLoadStatus::Truncated},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.extraBytes);
        const QByteArray bytes = PacketBytes({PacketAt(0), PacketAt(1), PacketAt(2)}) + QByteArray(c.extraBytes, '\x7f');
        const TPacketLoadResult result = Load(bytes);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.ignoredBytes, c.extraBytes);
        EXPECT_EQ(result.message.isEmpty(), c.status == TPacketLoadStatus::Loaded);
        EXPECT_EQ(DrainByFrame(m_packets, {2}), (std::vector<std::vector<int32_t>>{{0, 1, 2}}));
    }

    // Shorter than one record, and empty: nothing to play, the voice plays over an empty board.
    EXPECT_EQ(Load(QByteArray(20, '\0')).status, TPacketLoadStatus::Truncated);
    EXPECT_TRUE(m_packets.GetPacketList().empty());
    EXPECT_EQ(Load(QByteArray()).status, TPacketLoadStatus::Loaded);
    EXPECT_EQ(m_packets.GetNextPacket(0), nullptr);
}

TEST_F(PacketFileTest, MissingFileEmptiesTheListAndHandsBackTheMessage)
{
    Load(PacketBytes({PacketAt(0)}));
    const TPacketLoadResult result = m_packets.LoadPacketFile(Path("nothing/packet.dat"));
    EXPECT_EQ(result.status, TPacketLoadStatus::Missing);
    EXPECT_EQ(result.message, QString::fromUtf8("Packet 파일이 없습니다."));
    EXPECT_TRUE(m_packets.GetPacketList().empty());
    EXPECT_EQ(m_packets.GetNextPacket(0), nullptr);

    // A folder where the file should be cannot be read as records.
    QDir().mkpath(Path("folder/packet.dat"));
    EXPECT_EQ(m_packets.LoadPacketFile(Path("folder/packet.dat")).status, TPacketLoadStatus::Unreadable);
    EXPECT_TRUE(m_packets.GetPacketList().empty());
}

TEST_F(PacketFileTest, PageLoadReadsThePageFolderOfTheSession)
{
    TLectureInfo page;
    page.PageName = "A000001234";
    page.PageID = "p7";
    WriteFileBytes(JoinPath(PageFolder(Root(), page.PageName, page.PageID), "packet.dat"),
                   PacketBytes({PacketAt(5), PacketAt(6)}));
    EXPECT_EQ(m_packets.LoadPageObjectPacket(Root(), page).status, TPacketLoadStatus::Loaded);
    EXPECT_EQ(m_packets.GetPacketList().size(), 2u);
}

} // namespace
