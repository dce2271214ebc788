#pragma once
// Reads a rich text file (".rxm") into an XML document. The file is UTF-8 text; its lines are
// joined again with CR LF after every line, and the text is rewritten before parsing so that the
// content of the "text" element becomes one character data section: less-than signs, ampersands
// and entity references in it stay as written.

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QVariant>

#include <optional>

class TXmlUtil {
public:
    // Reads, rewrites and parses the file. A file that cannot be read or is not well-formed
    // after the rewrite leaves no document (IsLoaded false, GetErrorText says why).
    explicit TXmlUtil(const QString& p_strXmlFilePath);

    // The file's text as read: UTF-8 without a byte-order mark, every line (a line ends at CR LF,
    // LF or CR) followed by CR LF. Empty optional when the file cannot be read.
    static std::optional<QString> ReadLines(const QString& p_strXmlFilePath);
    // The four rewriting steps, in order: drop every "<![CDATA[", drop every "]]>", open a
    // character data section after the first '"' directly followed by '>', close it before the
    // first "</text>".
    static QString Rewrite(const QString& p_strText);

    bool IsLoaded() const { return m_xdXmlDoc.has_value(); }
    QString GetErrorText() const { return m_strErrorText; }
    QString GetXmlFilePath() const { return m_strXmlFilePath; }

    // The first top-level element named "root", then its first child element named
    // p_strXPath (a plain element name); a null element when either is missing.
    QDomElement GetNode(const QString& p_strXPath) const;
    // The text of that node; empty when it is missing.
    QString GetItem(const QString& p_strXPath) const;
    // The attribute of that node; empty when the name is empty, the node is missing or the
    // attribute is absent.
    QString GetItem(const QString& p_strXPath, const QString& p_strAttributeName) const;
    // The attribute's value; null when it is absent or the name is empty.
    static QVariant GetAttribute(const QDomElement& p_xnXmlNode, const QString& p_strAttributeName);
    // True when the document has a top-level element named "root".
    bool HasRoot() const;
    // Releases the document.
    void Dispose();

private:
    QString m_strXmlFilePath;
    std::optional<QDomDocument> m_xdXmlDoc;
    QString m_strErrorText;
};
