// ravo-tool: subcommand dispatch.

#include "ToolCommands.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct TToolCommand {
    const char* name;
    int (*run)(const QStringList& args);
    const char* usage;
};

#define RAVO_TOOL_COMMAND_ENTRY(name, function, usage) TToolCommand{name, function, usage},
constexpr TToolCommand kCommands[] = {RAVO_TOOL_COMMANDS(RAVO_TOOL_COMMAND_ENTRY)};
#undef RAVO_TOOL_COMMAND_ENTRY

void PrintUsage()
{
    std::fputs("usage: ravo-tool COMMAND [ARGS]\n", stderr);
    for (const TToolCommand& command : kCommands) {
        std::fprintf(stderr, "  %-10s %s\n", command.name, command.usage);
    }
}

} // namespace

void ToolError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

int main(int argc, char** argv)
{
    // Subcommands draw boards with text, which needs the GUI application; the tool shows no
    // window, so it runs on the offscreen platform unless one is asked for. Only this process:
    // programs the tool starts keep their own platform.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    std::vector<char*> qtArgv{argv[0]};
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qtArgv.insert(qtArgv.end(), {platformOption, offscreen});
    }
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);
    QGuiApplication app(qtArgc, qtArgv.data());
    if (args.isEmpty()) {
        PrintUsage();
        return kToolExitUsage;
    }
    const QString name = args.takeFirst();
    for (const TToolCommand& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return command.run(args);
        }
    }
    ToolError(QStringLiteral("ravo-tool: unknown command %1").arg(name));
    PrintUsage();
    return kToolExitUsage;
}
