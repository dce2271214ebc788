// ravo-player: the full-screen lecture player. The launcher hands the session over through its
// shared block (or the fallback file); the result goes back the same way at the end.

#include "GrabSchedule.h"

#include "ui/Form1.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic")});
    QApplication::setFont(font);

    TForm1 form;
    form.FormCreate();
    const TGrabSchedule grabs(form, qEnvironmentVariable("RAVO_GRAB"));
    form.show();
    return QApplication::exec();
}
