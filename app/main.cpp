// ravo-player: the full-screen lecture player. The launcher hands the session over through its
// shared block (or the fallback file); the result goes back the same way at the end.

#include "GrabSchedule.h"

#include "platform/folders/SpecialFolders.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QFont>

namespace {

// "--scope NAME" (given by a launcher that keeps its launches apart): the block and the result
// event of that scope; without it, the usual names.
TForm1Options LaunchOptions(const QStringList& p_args)
{
    TForm1Options options;
    const qsizetype at = p_args.indexOf(QStringLiteral("--scope"));
    if (at > 0 && at + 1 < p_args.size()) {
        const std::string scope = p_args[at + 1].toStdString();
        options.blockName = ScopedLaunchName(kLaunchBlockName, scope);
        options.resultEventName = ScopedLaunchName(kResultEventName, scope);
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    EnsureRuntimeFolder();
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
