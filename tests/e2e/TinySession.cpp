#include "e2e/TinySession.h"

#include "session/CommDefine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QFile>

#include <array>
#include <vector>

namespace {

constexpr int kFrames = 42;   // about the voice's length; the measured voice decides

bool WriteBytes(const QString& p_sPath, const QByteArray& p_bytes)
{
    QFile file(p_sPath);
    return file.open(QIODevice::WriteOnly) && file.write(p_bytes) == p_bytes.size();
}

TPacketItem Packet(uint8_t p_type, uint32_t p_frame, float p_fp1 = 0.0f, float p_fp2 = 0.0f, float p_fp3 = 0.0f)
{
    TPacketItem item;
    item.PacketType = p_type;
    item.FrameNo = p_frame;
    item.DrawNo = 1;
    item.FloatParam1 = p_fp1;
    item.FloatParam2 = p_fp2;
    item.FloatParam3 = p_fp3;
    return item;
}

// One stroke group: created and styled (colour 6, thickness 3, opaque), one stroke of a few points.
QByteArray StrokePackets()
{
    std::vector<TPacketItem> items{Packet(1, 1), Packet(2, 1, 6.0f, 3.0f, 100.0f), Packet(3, 2)};
    for (uint32_t i = 0; i < 10; ++i) {
        items.push_back(Packet(4, 2 + i, 100.0f + 30.0f * static_cast<float>(i), 120.0f + 8.0f * static_cast<float>(i)));
    }
    items.push_back(Packet(5, 12));
    QByteArray bytes;
    for (const TPacketItem& item : items) {
        std::array<unsigned char, kPacketItemSize> record{};
        PacketItemToBytes(item, record.data());
        bytes.append(reinterpret_cast<const char*>(record.data()), kPacketItemSize);
    }
    return bytes;
}

bool WriteLecture(const QString& p_sBasePath, uint8_t p_nLectureType, const QString& p_sKey, const QByteArray& p_voice)
{
    const QString fileName = MakeLectureFileName(p_nLectureType, 0, p_sKey).value_or(QString());
    const QString lectureFolder = LectureFolder(p_sBasePath, fileName);
    const QString pageFolder = PageFolder(p_sBasePath, LectureNameOf(fileName), QStringLiteral("p1"));
    const QByteArray catalogue = QStringLiteral("<root><pages><page id=\"p1\" frames=\"%1\"/></pages></root>").arg(kFrames).toUtf8();
    const QByteArray page = QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                                           "<lectureimage type=\"WhiteNote\" fileext=\"\"/><resources/></root>")
                                .arg(kTinyBoardWidth)
                                .arg(kTinyBoardHeight)
                                .toUtf8();
    return ForceFolder(lectureFolder) && ForceFolder(pageFolder) &&
           WriteBytes(JoinPath(lectureFolder, QStringLiteral("lectureinfo.xml")), catalogue) &&
           WriteBytes(JoinPath(pageFolder, QStringLiteral("pageinfo.xml")), page) &&
           WriteBytes(JoinPath(pageFolder, QStringLiteral("packet.dat")), StrokePackets()) &&
           WriteBytes(JoinPath(pageFolder, QStringLiteral("sound.dat")), p_voice);
}

} // namespace

bool WriteTinySession(const QString& p_sRoamingFolder, const QString& p_sVoicePath, uint8_t p_nLectureType)
{
    QFile voice(p_sVoicePath);
    if (!voice.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = voice.readAll();
    const QString base = SessionBasePath(p_sRoamingFolder, QStringLiteral("S1"), QStringLiteral("U1"));
    return WriteLecture(base, p_nLectureType, QStringLiteral("1234"), bytes) &&
           WriteLecture(base, p_nLectureType, QStringLiteral("57"), bytes);
}

bool WriteLaunchFallbackFile(const QString& p_sRoamingFolder, const QString& p_sLaunchText)
{
    const QString path = LaunchFallbackFile(p_sRoamingFolder);
    return ForceFolder(GetFilePath(path)) && WriteBytes(path, p_sLaunchText.toLocal8Bit() + "\r\n");
}
