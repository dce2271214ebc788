// ravo-tool: subcommand dispatch.

#include "ToolCommands.h"

#include <QCoreApplication>

#include <cstdio>

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
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
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
