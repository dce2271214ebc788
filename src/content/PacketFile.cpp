#include "content/PacketFile.h"

#include "platform/ContentFile.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QFile>

#include <bit>
#include <cstring>
#include <limits>
#include <new>

const char* const kPacketFileMissingMessage = "Packet 파일이 없습니다.";

namespace {

TPacketLoadResult Problem(TPacketLoadStatus status, const QString& message, int64_t ignoredBytes = 0)
{
    return TPacketLoadResult{status, message, ignoredBytes};
}

// Reads up to `size` bytes into `target`; returns how many arrived.
int64_t ReadFully(QFile& file, char* target, int64_t size)
{
    int64_t done = 0;
    while (done < size) {
        const qint64 got = file.read(target + done, size - done);
        if (got <= 0) {
            break;
        }
        done += got;
    }
    return done;
}

// The records were read as raw little-endian images; a big-endian machine turns them round.
void FixByteOrder(std::vector<TPacketItem>& items)
{
    if constexpr (std::endian::native != std::endian::little) {
        for (TPacketItem& item : items) {
            unsigned char raw[kPacketItemSize];
            std::memcpy(raw, &item, kPacketItemSize);
            item = PacketItemFromBytes(raw);
        }
    }
}

} // namespace

void TPacketFile::DiscardPackets()
{
    std::vector<TPacketItem>().swap(m_listPacketItem);   // frees the memory, not only the count
    m_nPrevPopPacketIndex = -1;
}

TPacketLoadResult TPacketFile::LoadPacketFile(const QString& path)
{
    DiscardPackets();
    QFile file(path);
    if (!file.exists()) {
        return Problem(TPacketLoadStatus::Missing, QString::fromUtf8(kPacketFileMissingMessage));
    }
    // Opening a FIFO waits for a writer that never comes; a folder or device is no packet file.
    if (!IsRegularFile(path)) {
        return Problem(TPacketLoadStatus::Unreadable, QStringLiteral("Packet 파일이 일반 파일이 아닙니다."));
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return Problem(TPacketLoadStatus::Unreadable, QStringLiteral("Packet 파일을 열 수 없습니다."));
    }
    const int64_t fileSize = file.size();
    const int64_t recordCount = fileSize / static_cast<int64_t>(kPacketItemSize);
    if (recordCount > std::numeric_limits<int32_t>::max()) {
        return Problem(TPacketLoadStatus::Unreadable, QStringLiteral("Packet 파일이 너무 큽니다."), fileSize);
    }
    try {
        m_listPacketItem.resize(static_cast<size_t>(recordCount));
    } catch (const std::bad_alloc&) {
        DiscardPackets();
        return Problem(TPacketLoadStatus::Unreadable, QStringLiteral("Packet 파일이 너무 큽니다."), fileSize);
    }

    const int64_t wanted = recordCount * static_cast<int64_t>(kPacketItemSize);
    const int64_t got = ReadFully(file, reinterpret_cast<char*>(m_listPacketItem.data()), wanted);
    m_listPacketItem.resize(static_cast<size_t>(got / static_cast<int64_t>(kPacketItemSize)));
    FixByteOrder(m_listPacketItem);

    const int64_t used = static_cast<int64_t>(m_listPacketItem.size() * kPacketItemSize);
    if (got < wanted) {
        return Problem(TPacketLoadStatus::Unreadable, QStringLiteral("Packet 파일을 끝까지 읽지 못했습니다."),
                       fileSize - used);
    }
    if (used < fileSize) {
        return Problem(TPacketLoadStatus::Truncated,
                       QStringLiteral("Packet 파일의 마지막 %1 바이트는 온전한 기록이 아니어서 건너뜁니다.")
                           .arg(fileSize - used),
                       fileSize - used);
    }
    return {};
}

QString PacketFilePath(const QString& p_sBasePath, const TLectureInfo& page)
{
    return JoinPath(PageFolder(p_sBasePath, page.PageName, page.PageID), QStringLiteral("packet.dat"));
}

TPacketLoadResult TPacketFile::LoadPageObjectPacket(const QString& p_sFilePath, const TLectureInfo& page)
{
    return LoadPacketFile(PacketFilePath(p_sFilePath, page));
}

const TPacketItem* TPacketFile::GetNextPacket(uint32_t p_u32FrameNo)
{
    const int64_t next = static_cast<int64_t>(m_nPrevPopPacketIndex) + 1;
    if (next >= static_cast<int64_t>(m_listPacketItem.size())) {
        return nullptr;
    }
    const TPacketItem& item = m_listPacketItem[static_cast<size_t>(next)];
    // Both sides widened to 64 bits: the frame as unsigned, FrameNo as signed.
    if (item.FrameNo >= 0 && static_cast<int64_t>(p_u32FrameNo) < static_cast<int64_t>(item.FrameNo)) {
        return nullptr;
    }
    m_nPrevPopPacketIndex = static_cast<int32_t>(next);
    return &item;
}
