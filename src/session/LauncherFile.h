#pragma once
// The small text files the player leaves for the launcher (the self-study marker, the grade
// file): one line ended by CR LF, in the locale's 8-bit encoding without a byte-order mark. The
// folders on the way are made; the file is replaced as a whole, so a write that fails leaves the
// file as it was (or absent) and never a part of the new text. A failure is reported, never
// swallowed.

#include <QString>

#include <optional>

// Why a file for the launcher could not be written: a Korean message naming the file.
struct TLauncherFileError {
    QString Message;
};

// Writes p_sLine and CR LF as the whole content of the file at p_sPath. Nothing on success.
std::optional<TLauncherFileError> WriteLauncherLine(const QString& p_sPath, const QString& p_sLine);
