// ravo-tool: subcommand dispatch.

#include "ToolCommands.h"

#include "platform/folders/SpecialFolders.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
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

void PrintUsage(std::FILE* p_out)
{
    std::fputs("usage: ravo-tool COMMAND [ARGS]\n", p_out);
    for (const TToolCommand& command : kCommands) {
        std::fprintf(p_out, "  %-10s %s\n", command.name, command.usage);
    }
}

bool AsksForHelp(const QString& p_sArg)
{
    return p_sArg == QLatin1String("--help") || p_sArg == QLatin1String("-h") || p_sArg == QLatin1String("help");
}

// The subcommands that draw boards: they need the GUI application (fonts, pictures, PDF).
bool DrawsBoards(const QString& command)
{
    return command == QLatin1String("render") || command == QLatin1String("notes") || command == QLatin1String("video");
}

} // namespace

void ToolError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

std::optional<QHash<QString, QString>> ParseToolOptions(const QStringList& args, const QStringList& names)
{
    if (args.size() % 2 != 0) {
        return std::nullopt;
    }
    QHash<QString, QString> options;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        if (!names.contains(args[i])) {
            return std::nullopt;
        }
        options.insert(args[i], args[i + 1]);
    }
    return options;
}

std::optional<double> ParseToolScale(const QHash<QString, QString>& options)
{
    const QString text = options.value(QStringLiteral("--scale"), QStringLiteral("1"));
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !(scale >= 1.0 && scale <= kToolScaleMax)) {
        return std::nullopt;
    }
    return scale;
}

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    // Drawing a board with rich text needs the GUI application. The tool shows no window, so it
    // runs on the offscreen platform unless one is asked for (this process only: programs the
    // tool starts keep their own). The other subcommands keep the plain application, which
    // prints nothing of its own.
    EnsureRuntimeFolder();
    const bool drawsBoards = !args.isEmpty() && DrawsBoards(args.first());
    std::vector<char*> qtArgv{argv[0]};
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    if (drawsBoards && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qtArgv.insert(qtArgv.end(), {platformOption, offscreen});
    }
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);
    const std::unique_ptr<QCoreApplication> app = drawsBoards
        ? std::make_unique<QGuiApplication>(qtArgc, qtArgv.data())
        : std::make_unique<QCoreApplication>(qtArgc, qtArgv.data());
    if (args.isEmpty()) {
        PrintUsage(stderr);
        return kToolExitUsage;
    }
    if (AsksForHelp(args.first())) {
        PrintUsage(stdout);
        return kToolExitOk;
    }
    const QString name = args.takeFirst();
    for (const TToolCommand& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return command.run(args);
        }
    }
    ToolError(QStringLiteral("ravo-tool: unknown command %1").arg(name));
    PrintUsage(stderr);
    return kToolExitUsage;
}
