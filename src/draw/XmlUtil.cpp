#include "draw/XmlUtil.h"

#include "content/XmlDom.h"
#include "platform/ContentFile.h"

#include <QStringDecoder>

namespace {

const QString kCDataOpen = QStringLiteral("<![CDATA[");
const QString kCDataClose = QStringLiteral("]]>");
const QString kTextEnd = QStringLiteral("</text>");
const QString kRootName = QStringLiteral("root");

}  // namespace

TXmlUtil::TXmlUtil(const QString& p_strXmlFilePath) : m_strXmlFilePath(p_strXmlFilePath)
{
    const std::optional<QString> text = ReadLines(p_strXmlFilePath);
    if (!text) {
        m_strErrorText = QStringLiteral("cannot be read");
        return;
    }
    const QString rewritten = Rewrite(*text);
    if (!IsXmlNestingWithin(rewritten, p_strXmlFilePath)) {
        m_strErrorText = QStringLiteral("elements nested deeper than %1 levels").arg(kMaxXmlNesting);
        return;
    }
    // Parsed from the text itself, so an encoding named in the declaration changes nothing.
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(rewritten, &message, &line, &column)) {
        m_strErrorText = QStringLiteral("not well-formed XML (line %1, column %2: %3)").arg(line).arg(column).arg(message);
        return;
    }
    m_xdXmlDoc = std::move(document);
}

std::optional<QString> TXmlUtil::ReadLines(const QString& p_strXmlFilePath)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(p_strXmlFilePath, kMaxXmlFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString whole = decoder(*bytes);   // the decoder drops a leading byte-order mark
    QString joined;
    joined.reserve(whole.size() + whole.size() / 16);
    qsizetype start = 0;
    while (start < whole.size()) {
        qsizetype end = start;
        while (end < whole.size() && whole[end] != QLatin1Char('\r') && whole[end] != QLatin1Char('\n')) {
            ++end;
        }
        joined += QStringView(whole).mid(start, end - start);
        joined += QLatin1String("\r\n");
        if (end < whole.size() && whole[end] == QLatin1Char('\r') && end + 1 < whole.size() &&
            whole[end + 1] == QLatin1Char('\n')) {
            ++end;
        }
        start = end + 1;
    }
    return joined;
}

QString TXmlUtil::Rewrite(const QString& p_strText)
{
    QString text = p_strText;
    text.remove(kCDataOpen);
    text.remove(kCDataClose);
    const qsizetype tagEnd = text.indexOf(QLatin1String("\">"));
    if (tagEnd >= 0) {
        text.insert(tagEnd + 2, kCDataOpen);
    }
    const qsizetype textEnd = text.indexOf(kTextEnd);
    if (textEnd >= 0) {
        text.insert(textEnd, kCDataClose);
    }
    return text;
}

QDomElement TXmlUtil::GetNode(const QString& p_strXPath) const
{
    if (!m_xdXmlDoc) {
        return {};
    }
    const QDomElement root = FindChildElement(*m_xdXmlDoc, kRootName);
    if (root.isNull()) {
        return {};
    }
    return FindChildElement(root, p_strXPath);
}

QString TXmlUtil::GetItem(const QString& p_strXPath) const
{
    return GetNode(p_strXPath).text();
}

QString TXmlUtil::GetItem(const QString& p_strXPath, const QString& p_strAttributeName) const
{
    return GetAttribute(GetNode(p_strXPath), p_strAttributeName).toString();
}

QVariant TXmlUtil::GetAttribute(const QDomElement& p_xnXmlNode, const QString& p_strAttributeName)
{
    if (p_strAttributeName.isEmpty()) {
        return {};
    }
    const std::optional<QString> value = AttributeText(p_xnXmlNode, p_strAttributeName);
    return value ? QVariant(*value) : QVariant();
}

bool TXmlUtil::HasRoot() const
{
    return m_xdXmlDoc && !FindChildElement(*m_xdXmlDoc, kRootName).isNull();
}

void TXmlUtil::Dispose()
{
    m_xdXmlDoc.reset();
}
