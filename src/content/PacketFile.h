#pragma once
// The page's drawing commands: the packet file read whole into memory, and the single cursor
// through which the frame clock and the seek rebuild take the records in file order.

#include "session/CommDefine.h"

#include <QString>

#include <cstdint>
#include <vector>

// How a load went. Only a missing file carries the message the window shows as it is; the
// other problems carry a text the window may show or leave.
enum class TPacketLoadStatus : uint8_t {
    Loaded,      // every byte read as whole records
    Missing,     // no file: empty list, the page plays its voice over an empty board
    Truncated,   // the length is no multiple of 32: the complete records were kept
    Unreadable,  // could not be opened, read or held in memory: empty or partial list
};

struct TPacketLoadResult {
    TPacketLoadStatus status = TPacketLoadStatus::Loaded;
    QString message;             // empty when Loaded
    int64_t ignoredBytes = 0;    // bytes after the last complete record that were not used
};

extern const char* const kPacketFileMissingMessage;   // "Packet 파일이 없습니다."

// The page's "packet.dat" under the session base path.
QString PacketFilePath(const QString& p_sBasePath, const TLectureInfo& page);

class TPacketFile {
public:
    // Reads "packet.dat" of the page folder of `page` under the session base path.
    TPacketLoadResult LoadPageObjectPacket(const QString& p_sFilePath, const TLectureInfo& page);

    // Reads a packet file: the previous records are discarded first, then the file's complete
    // 32-byte records are read straight into the list's memory. The cursor is reset.
    TPacketLoadResult LoadPacketFile(const QString& path);

    // The next record due at frame `p_u32FrameNo` (counted from the page start), or none. A
    // record not yet due holds back every record behind it; a negative FrameNo is always due.
    const TPacketItem* GetNextPacket(uint32_t p_u32FrameNo);

    // Starts the board afresh: the first record is the next one handed out.
    void ResetPacketCursor() { m_nPrevPopPacketIndex = -1; }

    const std::vector<TPacketItem>& GetPacketList() const { return m_listPacketItem; }
    int32_t GetPrevPopPacketIndex() const { return m_nPrevPopPacketIndex; }

private:
    void DiscardPackets();

    std::vector<TPacketItem> m_listPacketItem;
    int32_t m_nPrevPopPacketIndex = -1;   // last record handed out, -1 when none yet
};
