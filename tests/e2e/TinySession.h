#pragma once
// A tiny session for the whole-program and window tests: two lectures (keys 1234 and 57, type 1)
// of one page each, a 640 x 480 lined note with one short stroke, 1.5 s of voice per page (or the
// voice given: the tests that seek and jump take a longer one).

#include <QString>

inline constexpr char kTinyLaunchText[] = "A&S1&U1&1&0&2&S9|,|1234&S9|,|57";
inline constexpr char kTinyResultText[] = "A&1&2&S9|,|1234|,||,||,||,||,||,|&S9|,|57|,||,||,||,||,||,|&1&END";
inline constexpr int kTinyBoardWidth = 640;
inline constexpr int kTinyBoardHeight = 480;

// Writes the session into the session folder of school S1 and user U1 under the roaming folder.
bool WriteTinySession(const QString& p_sRoamingFolder, const QString& p_sVoicePath = QStringLiteral(RAVO_TEST_VOICE));

// The launcher's fallback file with this launch text (one line, CR LF).
bool WriteLaunchFallbackFile(const QString& p_sRoamingFolder, const QString& p_sLaunchText);
