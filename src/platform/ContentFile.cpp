#include "platform/ContentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QtDebug>

#include <algorithm>

namespace {

constexpr int64_t kGrowthStepBytes = 64 * 1024;

bool IsNestingWithin(QXmlStreamReader& reader, const QString& what)
{
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxXmlNesting) {
                qWarning().noquote() << what << QStringLiteral(": elements nested deeper than %1 levels are refused")
                                                    .arg(kMaxXmlNesting);
                return false;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace

bool IsRegularFile(const QString& path)
{
    // Qt reports FIFOs, devices and sockets as neither file nor folder.
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

std::optional<QByteArray> ReadRegularFile(const QString& path, int64_t maxBytes)
{
    if (!IsRegularFile(path)) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() > maxBytes) {
        qWarning().noquote() << path << QStringLiteral(": %1 bytes, more than the %2 a content file may have")
                                            .arg(file.size())
                                            .arg(maxBytes);
        return std::nullopt;
    }
    // Qt reserves the whole count asked for before it reads, so the count is what the file holds
    // (one byte more shows that it grew). A file that grows while read is read on in small steps,
    // no further than the limit.
    QByteArray bytes = file.read(file.size() + 1);
    while (bytes.size() <= maxBytes) {
        const QByteArray more = file.read(std::min<int64_t>(maxBytes + 1 - bytes.size(), kGrowthStepBytes));
        if (more.isEmpty()) {
            break;
        }
        bytes += more;
    }
    if (bytes.size() > maxBytes) {
        qWarning().noquote() << path << QStringLiteral(": grew beyond the %1 bytes a content file may have while read")
                                            .arg(maxBytes);
        return std::nullopt;
    }
    return bytes;
}

bool IsXmlNestingWithin(const QByteArray& text, const QString& what)
{
    QXmlStreamReader reader(text);
    return IsNestingWithin(reader, what);
}

bool IsXmlNestingWithin(const QString& text, const QString& what)
{
    QXmlStreamReader reader(text);
    return IsNestingWithin(reader, what);
}
