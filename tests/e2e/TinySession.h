#pragma once
// A tiny session for the whole-program and window tests: two lectures (keys 1234 and 57, type 1)
// of one page each, a 640 x 480 lined note with one short stroke, 1.5 s of voice per page (or the
// voice given: the tests that seek and jump take a longer one).

#include <QString>

#include <cstdint>

inline constexpr char kTinyLaunchText[] = "A&S1&U1&1&0&2&S9|,|1234&S9|,|57";
inline constexpr char kTinyResultText[] = "A&1&2&S9|,|1234|,||,||,||,||,||,|&S9|,|57|,||,||,||,||,||,|&1&END";
// The same lectures as self-study lectures (type 2) in supervised study, and their result.
inline constexpr char kTinySelfStudyLaunchText[] = "A&S1&U1&2&0&2&S9|,|1234&S9|,|57";
inline constexpr char kTinySelfStudyResultText[] =
    "A&2&2&S9|,|1234|,||,||,||,||,||,|&S9|,|57|,||,||,||,||,||,|&1&END";
inline constexpr int kTinyBoardWidth = 640;
inline constexpr int kTinyBoardHeight = 480;

// Writes the session into the session folder of school S1 and user U1 under the roaming folder,
// its lectures named for the lecture type (1: A000001234.wyl; 2: B000001234.wyl, the self-study
// lectures, launched with kTinySelfStudyLaunchText).
bool WriteTinySession(const QString& p_sRoamingFolder, const QString& p_sVoicePath = QStringLiteral(RAVO_TEST_VOICE),
                      uint8_t p_nLectureType = 1);

// The launcher's fallback file with this launch text (one line, CR LF).
bool WriteLaunchFallbackFile(const QString& p_sRoamingFolder, const QString& p_sLaunchText);
