#pragma once
// Reading the launch parameters: the launch text from the launcher's shared block (else the
// first line of the fallback file under the roaming folder), split into the session record,
// the report records and the lecture file names; and the session's content folders.

#include "session/PlayerState.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>

// The launcher's shared block: the launch text from byte 0, the result text from byte 32768.
inline constexpr char kLaunchBlockName[] = "__RAVO_MEM_SHARE_MAPPING_NAME__";
inline constexpr std::size_t kLaunchTextMaxBytes = 32768;
inline constexpr std::size_t kResultTextOffset = 32768;
// Set by the player once the result text is in the block.
inline constexpr char kResultEventName[] = "__RAVO_MEM_SHARE_TO_SERVER_HANDLE_NAME__";

// A launcher's names within a scope of its own (empty: the usual names). The names are the
// user's already; a scope keeps launches of one user apart where that is wanted (the tests).
inline std::string ScopedLaunchName(const char* p_sName, const std::string& p_sScope)
{
    return p_sScope.empty() ? std::string(p_sName) : std::string(p_sName) + "." + p_sScope;
}

// The lock a launcher holds while its block and event are in use.
inline std::string LaunchLockName(const std::string& p_sBlockName)
{
    return p_sBlockName + ".lock";
}

// Why the launch parameters could not be read: a Korean message for the learner naming the
// text and the field that failed.
struct TLaunchError {
    QString Message;
};

// The launch text of a block's bytes: up to the first zero byte, at most 32,768 bytes, in the
// locale's 8-bit encoding.
QString LaunchTextFromBytes(const char* data, std::size_t size);

// <roaming>/quorvale/pendru/lecture.dat
QString LaunchFallbackFile(const QString& roamingFolder);

// <roaming>/quorvale/pendru/<school_key>/<user_key>/lecture
QString SessionBasePath(const QString& roamingFolder, const QString& schoolKey, const QString& userKey);

// <roaming>/quorvale/ternwick/log/<school_key>/<user_key>/selfstudycheck.dat: the marker left for
// the launcher when the learner asks not to see the self-study question for a week.
QString SelfStudyMarkerFile(const QString& roamingFolder, const QString& schoolKey, const QString& userKey);

// Splits a launch text into g_studyInfo, g_arrayReportInfo and state.m_arrayLectureName (both
// globals are emptied first). Stops at the first token that is missing, a key that cannot be a
// folder name, or a number that is not a decimal integer; what was filled before it stays.
std::optional<TLaunchError> ApplyLaunchText(const QString& launchText, TPlayerState& state);

// The whole start-up step: m_sExeDir := exeDir; the launch text from the shared block named
// blockName, else from the fallback file; ApplyLaunchText; then m_sBasePath. On an error the
// state stays as far as it was filled.
std::optional<TLaunchError> ReadLaunchParams(TPlayerState& state, const QString& exeDir,
                                             const std::string& blockName = kLaunchBlockName);

// ---------------------------------------------------------------------------------------------
// Content folders of the session

// A lecture file name without its extension (everything from the last dot on removed).
QString LectureNameOf(const QString& lectureFileName);

// <base>/Temp/<lecture name>: holds the lecture catalogue.
QString LectureFolder(const QString& basePath, const QString& lectureFileName);

// <base>/Temp/<page name>/<page id>: a page's description, packets and voice. pageName is
// the lecture name already without extension (TLectureInfo::PageName).
QString PageFolder(const QString& basePath, const QString& pageName, const QString& pageId);

// <page folder>/resource: the page's resource files.
QString PageResourceFolder(const QString& basePath, const QString& pageName, const QString& pageId);
