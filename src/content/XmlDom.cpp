#include "content/XmlDom.h"

#include "platform/ContentFile.h"
#include "session/CommDefine.h"

#include <QLocale>

#include <cmath>
#include <limits>

std::optional<QDomDocument> LoadXmlDocument(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, kMaxXmlFileBytes);
    if (!bytes || !IsXmlNestingWithin(*bytes, path)) {
        return std::nullopt;
    }
    return ParseXmlDocument(*bytes);
}

std::optional<QDomDocument> ParseXmlDocument(const QByteArray& bytes)
{
    // A document too large for memory is a broken file like any other.
    try {
        QDomDocument document;
        if (!document.setContent(bytes)) {
            return std::nullopt;
        }
        return document;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

QDomElement FindChildElement(const QDomNode& parent, const QString& name)
{
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() == name) {
            return child;
        }
    }
    return {};
}

std::vector<QDomElement> ChildElements(const QDomNode& parent)
{
    std::vector<QDomElement> children;
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        children.push_back(child);
    }
    return children;
}

std::optional<QString> AttributeText(const QDomElement& element, const QString& name)
{
    if (element.isNull() || !element.hasAttribute(name)) {
        return std::nullopt;
    }
    return element.attribute(name);
}

QString AttributeTextOrEmpty(const QDomElement& element, const QString& name)
{
    return AttributeText(element, name).value_or(QString());
}

std::optional<int32_t> AttributeInt(const QDomElement& element, const QString& name)
{
    const std::optional<QString> text = AttributeText(element, name);
    if (!text) {
        return std::nullopt;
    }
    return DecimalStrToInt(*text);
}

std::optional<float> AttributeFloat(const QDomElement& element, const QString& name)
{
    const std::optional<QString> text = AttributeText(element, name);
    if (!text) {
        return std::nullopt;
    }
    // Content files write "." whatever the author's machine used; a group separator would make
    // "12,5" or "1,250" readable as something the author never meant.
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(*text, &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}
