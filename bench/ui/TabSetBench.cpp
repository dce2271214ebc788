// Fills the page tab bar of a shown window with the tabs of a long session: as a plain tab bar
// (as the player had it), as the tab set one tab at a time (it measures each tab once) and as the
// tab set taking all captions at once (it lays out once), and prints the times side by side.
// Goal: a session of 5,000 pages starts in under 2 s, so the tabs must take well under that.
//
// usage: QT_QPA_PLATFORM=offscreen bench_tabs [--pages N ...]

#include "ui/TabSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kPlainBarLimit = 2000;

QStringList Captions(int pages)
{
    QStringList captions;
    for (int i = 1; i <= pages; ++i) {
        captions << QStringLiteral("%1 p").arg(i);
    }
    return captions;
}

enum class TFill { PlainBar, OneByOne, AllAtOnce };

// Milliseconds to fill a fresh bar in a shown window, coloured as the layout file colours it.
double FillMilliseconds(const QStringList& captions, TFill fill)
{
    const bool plainBar = fill == TFill::PlainBar;
    QWidget window;
    window.resize(1280, 40);
    TTabSet tabs(&window, QStringLiteral("tabLecturePage"));
    tabs.SetSelectedColor(QColor(0x2F, 0x6F, 0xD0));
    tabs.SetUnselectedColor(QColor(0x30, 0x30, 0x38));
    QTabBar plain(&window);
    plain.setStyleSheet(tabs.styleSheet());
    QTabBar& bar = plainBar ? plain : tabs;
    (plainBar ? tabs : plain).hide();
    window.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    if (fill == TFill::AllAtOnce) {
        tabs.AddTabs(captions);
    } else {
        for (const QString& caption : captions) {
            bar.addTab(caption);
        }
    }
    QApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<int> sizes{500, 1000, 2000, 5000};
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--pages")); at >= 0 && at + 1 < args.size()) {
        sizes = {args[at + 1].toInt()};
    }
    std::printf("%8s %14s %14s %14s %8s %14s\n", "pages", "plain bar ms", "one by one ms", "at once ms", "ratio",
                "at once us/tab");
    for (const int pages : sizes) {
        const QStringList captions = Captions(pages);
        // The plain bar grows with the square of the tabs: beyond 2,000 it takes minutes.
        const double old = pages <= kPlainBarLimit ? FillMilliseconds(captions, TFill::PlainBar) : NAN;
        const double oneByOne = FillMilliseconds(captions, TFill::OneByOne);
        const double atOnce = FillMilliseconds(captions, TFill::AllAtOnce);
        std::printf("%8d %14.1f %14.1f %14.1f %7.0fx %14.1f\n", pages, old, oneByOne, atOnce, old / atOnce,
                    atOnce * 1000.0 / pages);
    }
    return 0;
}
