#pragma once
// Small helpers the content tests share: a scratch folder and file writers.

#include "session/CommDefine.h"
#include "session/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

inline void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline TPacketItem PacketAt(int32_t frameNo, uint8_t packetType = 4)
{
    TPacketItem item;
    item.PacketType = packetType;
    item.FrameNo = frameNo;
    return item;
}

// The raw file image of records.
inline QByteArray PacketBytes(std::initializer_list<TPacketItem> items)
{
    QByteArray bytes;
    for (const TPacketItem& item : items) {
        unsigned char raw[kPacketItemSize];
        PacketItemToBytes(item, raw);
        bytes.append(reinterpret_cast<const char*>(raw), kPacketItemSize);
    }
    return bytes;
}

class ScratchFolder : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString Root() const { return m_dir.path(); }

    QTemporaryDir m_dir;
};
