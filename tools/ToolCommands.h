#pragma once
// The subcommands of ravo-tool. Adding one: write its unit (a function taking the arguments
// after the subcommand's name and returning the exit code) and add one line to the table.

#include <QHash>
#include <QStringList>

#include <optional>

// X(name, function, usage): usage is the argument synopsis and a short description.
#define RAVO_TOOL_COMMANDS(X)                                                                        \
    X("info", RunInfoCommand, "--text LAUNCH_TEXT    the session's pages and total, as the catalogue builds them") \
    X("dump", RunDumpCommand, "PACKET_FILE           one line per packet record") \
    X("make-demo", RunMakeDemo, "[--base FOLDER]       writes the demo session, prints its launch text") \
    X("render", RunRenderCommand, "--text LAUNCH_TEXT --at MS [--zoom R] [--scale S] -o OUT.png   the board at a session position, as PNG") \
    X("notes", RunNotesCommand, "--text LAUNCH_TEXT [--scale S] -o OUT.pdf   one PDF page per lecture page: its board at the page's end") \
    X("video", RunVideoCommand, "--text LAUNCH_TEXT -o OUT.mp4 [--size WxH] [--fps N] [--speed P] [--zoom R] [--from MS] [--to MS]   the session as a video file (H.264, AAC, a chapter per page)") \
    X("launch", RunLaunchCommand, "--text LAUNCH_TEXT [--timeout S] [--player PATH]   plays a session as the launcher would, prints the result") \
    X("check", RunCheckCommand, "--text LAUNCH_TEXT    lists the problems of the session's files; exit 1 when any")

#define RAVO_DECLARE_TOOL_COMMAND(name, function, usage) int function(const QStringList& args);
RAVO_TOOL_COMMANDS(RAVO_DECLARE_TOOL_COMMAND)
#undef RAVO_DECLARE_TOOL_COMMAND

// Exit codes shared by the subcommands.
constexpr int kToolExitOk = 0;
constexpr int kToolExitProblem = 1;   // the input has a problem the command reports
constexpr int kToolExitUsage = 2;     // wrong arguments (launch: also timeout / no result)

// Writes a line to standard error.
void ToolError(const QString& text);

// The "--name value" pairs of a subcommand's arguments, by name (a name given twice: the later
// value). Nothing when a name is not one of names or has no value.
std::optional<QHash<QString, QString>> ParseToolOptions(const QStringList& args, const QStringList& names);

// The "--scale" of the commands that draw boards: the device pixel ratio of the screen the board
// is drawn for (2: twice the pixels each way, as a screen scaled to 200 % shows it); 1 when not
// given. Nothing when it is no number from 1 to kToolScaleMax.
constexpr double kToolScaleMax = 4.0;
std::optional<double> ParseToolScale(const QHash<QString, QString>& options);
