#include "platform/ContentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QtDebug>

#include <algorithm>

namespace {

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
    // Room for the size found and one byte more: a file that grew after the size check is seen
    // to have grown, and is still read no further than the limit. (A buffer of the limit itself
    // would be allocated whole for every small file and left to the allocator after it.)
    QByteArray bytes = file.read(std::min<int64_t>(file.size(), maxBytes) + 1);
    while (bytes.size() <= maxBytes && !file.atEnd()) {
        const QByteArray more = file.read(maxBytes + 1 - bytes.size());
        if (more.isEmpty()) {
            break;
        }
        bytes += more;
    }
    if (bytes.size() > maxBytes) {
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
