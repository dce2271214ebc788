#pragma once
// The demo session: two short lectures in Korean (Pythagoras' theorem, then expanding
// (x + 1)^2), four pages in all, written in the folder layout the player reads.

#include <QString>
#include <QStringList>

#include <optional>

// The launch text that plays the demo: study mode A, school S1, user U1, lecture type 1, two
// lectures with the keys 1234 and 57 (lecture names A000001234 and A000000057).
inline constexpr char kDemoLaunchText[] = "A&S1&U1&1&0&2&S9|,|1234&S9|,|57";
inline constexpr char kDemoSchoolKey[] = "S1";
inline constexpr char kDemoUserKey[] = "U1";

struct TDemoSummary {
    QStringList pages;                   // "<lecture name>/<page id>", in playing order
    double totalMs = 0.0;                // length of all voice tracks together
};

// Writes the whole session below basePath (the session's base folder, ".../S1/U1/lecture"):
// for each lecture <base>/Temp/<lecture name>/lectureinfo.xml and one folder per page with
// pageinfo.xml, packet.dat, sound.dat, the resource folder and the board picture. Folders of
// the demo's lectures are replaced; nothing else is touched. Returns the summary, or an empty
// optional with *error set.
std::optional<TDemoSummary> WriteDemoSession(const QString& basePath, QString* error);
