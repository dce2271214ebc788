#include "DemoLecture.h"

#include "DemoPages.h"

#include "platform/Rounding.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <exception>

namespace {

constexpr uint8_t kDemoLectureType = 1;
constexpr uint8_t kDemoSimilarExist = 0;

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

QString Number(double value) { return QString::number(value, 'g', 10); }

int FrameCountOf(double ms) { return static_cast<int>(RoundHalfEven(ms / kFrameMilliseconds)); }

QByteArray LectureInfoXml(const TDemoLecture& lecture)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement("root");
    w.writeStartElement("pages");
    for (const TDemoPage& page : lecture.pages) {
        w.writeEmptyElement("page");
        w.writeAttribute("id", page.id);
        w.writeAttribute("frames", QString::number(FrameCountOf(page.voiceMs)));
    }
    w.writeEndDocument();
    return xml;
}

QByteArray PageInfoXml(const TDemoPage& page)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement("root");
    w.writeEmptyElement("pageinfo");
    w.writeAttribute("width", QString::number(page.board.width()));
    w.writeAttribute("height", QString::number(page.board.height()));
    w.writeEmptyElement("lectureimage");
    w.writeAttribute("type", page.boardType);
    w.writeAttribute("fileext", page.boardPictureExt);
    w.writeStartElement("resources");
    for (const TDemoResource& r : page.resources) {
        w.writeEmptyElement("resource");
        w.writeAttribute("no", QString::number(r.no));
        w.writeAttribute("name", QString::number(r.no) + GetResourceFileExt(GetResourceTypeFromName(r.typeName)));
        w.writeAttribute("type", r.typeName);
        w.writeAttribute("deployed", "true");
        w.writeAttribute("used", "true");
        w.writeAttribute("orderno", QString::number(r.no));
        w.writeAttribute("x", Number(r.box.x()));
        w.writeAttribute("y", Number(r.box.y()));
        w.writeAttribute("width", Number(r.box.width()));
        w.writeAttribute("height", Number(r.box.height()));
    }
    w.writeEndDocument();
    return xml;
}

bool WritePage(const QString& folder, const TDemoPage& page, QString* error)
{
    const QString resources = JoinPath(folder, "resource");
    if (!ForceFolder(resources)) {
        *error = QStringLiteral("cannot create %1").arg(resources);
        return false;
    }
    bool ok = WriteFile(JoinPath(folder, "pageinfo.xml"), PageInfoXml(page), error)
              && WriteFile(JoinPath(folder, "packet.dat"), page.packets, error)
              && WriteFile(JoinPath(folder, "sound.dat"), page.voice, error);
    if (ok && !page.boardPicture.isEmpty())
        ok = WriteFile(JoinPath(folder, "bgimg" + page.boardPictureExt), page.boardPicture, error);
    for (const TDemoResource& r : page.resources) {
        const QString name = QString::number(r.no) + GetResourceFileExt(GetResourceTypeFromName(r.typeName));
        ok = ok && WriteFile(JoinPath(resources, name), r.data, error);
    }
    return ok;
}

bool WriteLecture(const QString& basePath, const QString& fileName, const TDemoLecture& lecture,
                  TDemoSummary& summary, QString* error)
{
    const QString folder = LectureFolder(basePath, fileName);
    QDir(folder).removeRecursively();
    if (!ForceFolder(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!WriteFile(JoinPath(folder, "lectureinfo.xml"), LectureInfoXml(lecture), error))
        return false;
    const QString lectureName = LectureNameOf(fileName);
    for (const TDemoPage& page : lecture.pages) {
        if (!WritePage(PageFolder(basePath, lectureName, page.id), page, error))
            return false;
        summary.pages << lectureName + "/" + page.id;
        summary.totalMs += page.voiceMs;
    }
    return true;
}

} // namespace

std::optional<TDemoSummary> WriteDemoSession(const QString& basePath, QString* error)
{
    std::vector<TDemoLecture> lectures;
    try {
        lectures = BuildDemoLectures();
    } catch (const std::exception& e) {
        *error = QString::fromStdString(e.what());
        return std::nullopt;
    }
    TDemoSummary summary;
    for (const TDemoLecture& lecture : lectures) {
        const std::optional<QString> fileName = MakeLectureFileName(kDemoLectureType, kDemoSimilarExist, lecture.key);
        if (!fileName) {
            *error = QStringLiteral("lecture key %1 is not a number").arg(lecture.key);
            return std::nullopt;
        }
        if (!WriteLecture(basePath, *fileName, lecture, summary, error))
            return std::nullopt;
    }
    return summary;
}
