#pragma once
// Sessions the benchmarks write into a folder of their own: one lecture of generated pages on the
// whiteboard, with the program folder's whiteboard pattern.

#include "session/FileUtil.h"
#include "session/LaunchParams.h"
#include "session/PlayerState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

inline constexpr char kBenchLectureFile[] = "A000000001.wyl";

inline bool WriteBenchFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Points the state at the folder (program folder "exe", data "data") with the one lecture and
// writes the whiteboard's pattern.
inline bool BeginBenchSession(TPlayerState& state, const QString& folder)
{
    state.m_sExeDir = JoinPath(folder, "exe");
    state.m_sBasePath = JoinPath(folder, "data");
    state.m_arrayLectureName = QStringList{QString::fromLatin1(kBenchLectureFile)};
    QImage pattern(16, 16, QImage::Format_ARGB32);
    pattern.fill(0xFFF4F8F0);
    QDir().mkpath(JoinPath(state.m_sExeDir, "image"));
    return pattern.save(JoinPath(state.m_sExeDir, "image", "WhiteBoardFrameBG.png"));
}

// The folder of the lecture's page.
inline QString BenchPageFolder(const TPlayerState& state, const QString& id)
{
    return PageFolder(state.m_sBasePath, LectureNameOf(QString::fromLatin1(kBenchLectureFile)), id);
}

// A page's description (a whiteboard of that size, no resources) and packet file.
inline bool WriteBenchPage(const TPlayerState& state, const QString& id, int width, int height, const QByteArray& packets)
{
    const QByteArray description = QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                                                  "<lectureimage type=\"WhiteBorad\" fileext=\".png\"/><resources/></root>")
                                       .arg(width)
                                       .arg(height)
                                       .toUtf8();
    const QString folder = BenchPageFolder(state, id);
    return WriteBenchFile(JoinPath(folder, "pageinfo.xml"), description) &&
           WriteBenchFile(JoinPath(folder, "packet.dat"), packets);
}

// The lecture's catalogue of the pages, in order.
inline bool WriteBenchCatalogue(const TPlayerState& state, const QStringList& ids)
{
    QString catalogue = QStringLiteral("<root><pages>");
    for (const QString& id : ids) {
        catalogue += QStringLiteral("<page id=\"%1\" frames=\"1\"/>").arg(id);
    }
    catalogue += QStringLiteral("</pages></root>");
    return WriteBenchFile(JoinPath(LectureFolder(state.m_sBasePath, QString::fromLatin1(kBenchLectureFile)), "lectureinfo.xml"),
                          catalogue.toUtf8());
}
