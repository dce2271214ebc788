#pragma once
// What any file read from a lecture folder must be before it is read: a regular file (a FIFO or
// a device would block the reading or never end), of a size the readers can hold, and, for XML,
// nested no deeper than a document of ours ever is (the document reader's cost grows with the
// square of the depth).

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Catalogues, page descriptions and rich text are a few hundred kilobytes at most.
constexpr int64_t kMaxXmlFileBytes = 16 * 1024 * 1024;
constexpr int kMaxXmlNesting = 256;

// True for a regular file or a link to one; false for folders, FIFOs, devices, sockets and
// missing paths.
bool IsRegularFile(const QString& path);

// The whole file; empty when it is not a regular file, cannot be read, or is larger than
// `maxBytes` (then a warning names the file).
std::optional<QByteArray> ReadRegularFile(const QString& path, int64_t maxBytes);

// True when no element of the XML text lies deeper than kMaxXmlNesting; a warning names
// `what` otherwise. Malformed text passes: the document reader reports it.
bool IsXmlNestingWithin(const QByteArray& text, const QString& what);
bool IsXmlNestingWithin(const QString& text, const QString& what);
