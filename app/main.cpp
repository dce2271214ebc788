// ravo-player: the full-screen lecture player. The launcher hands the session over through its
// shared block (or the fallback file); the result goes back the same way at the end.

#include "GrabSchedule.h"

#include "platform/FreedMemory.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/folders/SpecialFolders.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QFont>

#include <cstdio>
#include <optional>

namespace {

// The value after the option p_sName; none when the option is not given or has no value.
std::optional<QString> OptionValue(const QStringList& p_args, const QString& p_sName)
{
    const qsizetype at = p_args.indexOf(p_sName);
    if (at > 0 && at + 1 < p_args.size()) {
        return p_args[at + 1];
    }
    return std::nullopt;
}

// "--scope NAME" (given by a launcher that keeps its launches apart): the block and the result
// event of that scope; without it, the usual names. "--check-up-after MS" (tests and
// demonstrations): the first check-up of supervised study comes once MS milliseconds have been
// played, not after minutes.
TForm1Options LaunchOptions(const QStringList& p_args)
{
    TForm1Options options;
    if (const std::optional<QString> scope = OptionValue(p_args, QStringLiteral("--scope"))) {
        options.blockName = ScopedLaunchName(kLaunchBlockName, scope->toStdString());
        options.resultEventName = ScopedLaunchName(kResultEventName, scope->toStdString());
    }
    if (const std::optional<QString> after = OptionValue(p_args, QStringLiteral("--check-up-after"))) {
        bool ok = false;
        const int milliseconds = after->toInt(&ok);
        if (ok && milliseconds > 0) {
            options.checkUpFirstRunMs = milliseconds;
        } else {
            std::fprintf(stderr, "ravo-player: ignoring --check-up-after \"%s\" (expected milliseconds > 0)\n",
                         qPrintable(*after));
        }
    }
    return options;
}

// On X11 the window's pixels reach the server through a shared-memory image by default, and every
// paint first waits for the server to be done with the previous one (a round trip). The player
// paints small parts of the window on most ticks (the seek handle, a stroke's new segment): sent
// through the connection they cost less (about a fifth of the window thread's time while a page
// plays). Other platforms do not read the variable.
void SendSmallPaintsThroughTheConnection()
{
    qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace

int main(int argc, char** argv)
{
    ReturnLargeBlocksWhenFreed();
    AudioPrepareDeviceAhead();
    EnsureRuntimeFolder();
    SendSmallPaintsThroughTheConnection();
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic")});
    QApplication::setFont(font);

    TForm1 form(LaunchOptions(QApplication::arguments()));
    form.FormCreate();
    const TGrabSchedule grabs(form, qEnvironmentVariable("RAVO_GRAB"));
    form.show();
    return QApplication::exec();
}
