#pragma once
// Text splitting of the launch text, lecture file names, special folders, and the file and path
// helpers every part uses. Paths are always built with JoinPath.

#include "session/CommDefine.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// ---------------------------------------------------------------------------------------------
// Paths

// The platform's path separator ("/" on Linux, "\" on Windows).
QChar PathSeparator();

// True for a character that separates path components here ("/" everywhere, also "\" and the
// drive colon on Windows).
bool IsPathSeparator(QChar c);

// Joins path pieces with exactly one platform separator between neighbours: a separator already
// ending the left piece or starting the right one is not doubled. An empty piece still adds its
// separator, so an empty folder gives a path that starts with a separator.
QString JoinPathList(const QStringList& parts);

template <typename... Parts>
QString JoinPath(const QString& first, const Parts&... rest)
{
    return JoinPathList({first, QString(rest)...});
}

// ---------------------------------------------------------------------------------------------
// Text fields

// Number of tokens of text: maximal runs of characters that are not in delimiters.
int WordCount(const QString& text, const QString& delimiters);

// Token number index (from 1), trimmed of surrounding white space and control characters;
// empty when there are fewer tokens.
QString ExtractWord(const QString& text, const QString& delimiters, int index);

// Every token, in order, trimmed as ExtractWord trims it.
QStringList ExtractWords(const QString& text, const QString& delimiters);

// The most sub-fields ExtractSubField keeps: the text after sub-field 100 is ignored, so a
// longer entry keeps its first 100 sub-fields and later indexes give the empty string.
constexpr int kMaxSubFields = 100;

// Sub-field number index (from 1) of text split at separator. Empty sub-fields count and are
// kept, nothing is trimmed; a separator at the very end adds no empty last sub-field. Empty
// when there are fewer sub-fields, for an index beyond kMaxSubFields, or index < 1. An empty
// separator leaves the whole text as sub-field 1.
QString ExtractSubField(const QString& text, const QString& separator, int index);

// The lecture file name: prefix "A" for type 1, "C"/"B" for type 2 with/without the similar
// flag, none otherwise; the key as a decimal integer with at least nine digits (leading zeros,
// minus sign before them); extension ".wyl". Empty optional when the key is not a decimal
// integer of 32 bits.
std::optional<QString> MakeLectureFileName(uint8_t lectureType, uint8_t similarExist, const QString& lectureKey);

// ---------------------------------------------------------------------------------------------
// Folders

// "ROAMING", "LOCALLOW" or "PROGRAMFILES" to that folder; empty for any other keyword and when
// the folder cannot be found.
QString GetSpecialFolder(const QString& keyword);

// ---------------------------------------------------------------------------------------------
// Resource kinds and files

// ".gif", ".jpg", ".png", ".rxm", ".swf", ".flv", ".mp3"; empty for the kinds without a file.
QString GetResourceFileExt(ResourceType kind);

// The kind of a file by its extension, letter case included (".jpeg" counts as ".jpg").
ResourceType GetResourceTypeFromFile(const QString& path);

// The kind of a type name of a page description; exact match, else ResourceNone.
ResourceType GetResourceTypeFromName(const QString& name);

// Extension of the last path component with its dot ("a/b.c.txt" -> ".txt"); empty if none.
QString GetFileExt(const QString& path);

// Folder part of the path with its trailing separator ("a/b/c.txt" -> "a/b/"); empty if none.
QString GetFilePath(const QString& path);

// The absolute, cleaned form of the path, resolved against the current folder.
QString GetFullPath(const QString& path);

// Last path component with every occurrence of its extension removed ("x.mp3.mp3" -> "x").
QString GetFileTitle(const QString& path);

// Whether a name from a launch text or a content file can stand as one path component: refused
// when empty, "." or "..", or holding a path separator (a slash or a backslash on every system,
// the drive colon on Windows) or a control character, so that no name reaches outside the
// folder it is joined to.
bool IsPlainFileName(const QString& name);

// Creates the folder and its missing parents unless a file of that name exists. True when the
// folder exists afterwards; failures are not raised.
bool ForceFolder(const QString& folder);

// Copies source to destination, creating the destination's folder first. An existing
// destination is replaced, and only once the whole copy is written, so a failed copy leaves it
// as it was. True on success; failures are not raised.
bool FileCopy(const QString& source, const QString& destination);
