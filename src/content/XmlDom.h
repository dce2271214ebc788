#pragma once
// The few operations every content reader needs of an XML document: load a file, find a child
// element by name, list the child elements in document order, read an attribute as text or as
// a number. Absent things come back empty, so a reader stops at its first missing step.

#include <QDomDocument>
#include <QDomElement>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The parsed file; empty when it cannot be read or is not well-formed XML.
std::optional<QDomDocument> LoadXmlDocument(const QString& path);

// The same for text already in memory (the fuzz targets feed bytes this way).
std::optional<QDomDocument> ParseXmlDocument(const QByteArray& bytes);

// The first child element of `parent` named exactly `name`; a null element when there is none.
QDomElement FindChildElement(const QDomNode& parent, const QString& name);

// The child elements of `parent` in document order, whatever their names. Text, comments and
// processing instructions are not elements and are left out.
std::vector<QDomElement> ChildElements(const QDomNode& parent);

// The attribute's text; empty optional when the attribute is absent.
std::optional<QString> AttributeText(const QDomElement& element, const QString& name);

// The attribute's text, or the empty text when it is absent.
QString AttributeTextOrEmpty(const QDomElement& element, const QString& name);

// The attribute as a 32-bit decimal integer; empty when absent, malformed or out of range.
std::optional<int32_t> AttributeInt(const QDomElement& element, const QString& name);

// The attribute as a finite single-precision number written with "." as decimal separator,
// whatever the machine's locale; empty when absent, malformed, out of range or not finite.
std::optional<float> AttributeFloat(const QDomElement& element, const QString& name);
