#pragma once
// Pages with resources (pictures, rich text, audio clips) and the marker pictures of the
// program's image folder, for the object commands of the interpreter.

#include "playback/PlaybackTestSupport.h"

#include <QBuffer>
#include <QProcess>
#include <QProcessEnvironment>

#include <vector>

// One resource of a page: its number, its kind as the page description names it, and the bytes
// of its file (no file when empty).
struct TResourceSpec {
    int no = 0;
    QString type;
    QByteArray bytes;
};

// A picture of the size with a different colour in each quadrant, as PNG bytes.
inline QByteArray QuadrantsPng(int width, int height)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    const QRgb colours[] = {qRgb(220, 40, 40), qRgb(40, 160, 60), qRgb(40, 60, 200), qRgba(240, 180, 20, 160)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, colours[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)]);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// A rich text file with the attributes and the content.
inline QByteArray RichTextBytes(const QString& attributes, const QString& content)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n<text %1>%2</text>\n</root>\n")
        .arg(attributes, content)
        .toUtf8();
}

struct TToolRun {
    int exitCode = -1;
    QStringList lines;
};

// ravo-tool run as a program with this data home: its exit code and the lines it printed.
inline TToolRun RunRavoTool(const QString& dataHome, const QStringList& args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome);
    process.setProcessEnvironment(environment);
    process.start(RAVO_TOOL_PATH, args);
    TToolRun run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
        run.lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    return run;
}

class ObjectPlaybackTest : public PlaybackTest {
protected:
    void SetUp() override
    {
        PlaybackTest::SetUp();
        // Marker pictures of three sizes, so that a mix-up shows.
        WriteMarker("PopBlinker1ToolCursor.png", 32, 32, qRgb(250, 60, 160));
        WriteMarker("PopBlinker2ToolCursor.png", 40, 24, qRgb(30, 200, 220));
        WriteMarker("PopBlinker3ToolCursor.png", 24, 36, qRgb(120, 60, 20));
    }

    void WriteMarker(const QString& name, int width, int height, QRgb colour)
    {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(JoinPath(m_state.m_sExeDir, "image", name)));
    }

    // The page description of the first lecture's page, rewritten with the resources, and their
    // files in the page's resource folder.
    void WriteResources(const TPageSpec& page, const std::vector<TResourceSpec>& resources)
    {
        const QString lecture = QStringLiteral("A000000001");
        QString entries;
        for (const TResourceSpec& resource : resources) {
            entries += QStringLiteral("<resource no=\"%1\" name=\"res%1\" type=\"%2\" deployed=\"true\" used=\"true\" "
                                      "orderno=\"%1\" x=\"0\" y=\"0\" width=\"10\" height=\"10\"/>")
                           .arg(resource.no)
                           .arg(resource.type);
            if (!resource.bytes.isEmpty()) {
                const QString file = QString::number(resource.no) +
                                     GetResourceFileExt(GetResourceTypeFromName(resource.type));
                WriteFileBytes(JoinPath(PageResourceFolder(m_state.m_sBasePath, lecture, page.id), file),
                               resource.bytes);
            }
        }
        WriteFileBytes(JoinPath(PageFolder(m_state.m_sBasePath, lecture, page.id), "pageinfo.xml"),
                       QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                                      "<lectureimage type=\"%3\" fileext=\".png\"/><resources>%4</resources></root>")
                           .arg(page.width)
                           .arg(page.height)
                           .arg(page.boardType, entries)
                           .toUtf8());
    }

    // One page with the packets and the resources; the engine starts on it.
    void StartPage(TPageSpec page, const std::vector<TResourceSpec>& resources)
    {
        WriteSession({{page}});
        WriteResources(page, resources);
        Start();
    }

    TDrawParent* Object(uint32_t drawNo) const { return m_engine->GetDrawManager().FindDrawByDrawNo(drawNo); }

    template <class T>
    T* ObjectOf(uint32_t drawNo) const
    {
        return dynamic_cast<T*>(Object(drawNo));
    }
};
