#include "ui/BoardPrint.h"

#include "ui/PrintFit.h"

#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

TPrintOutcome PrintBoard(QWidget& p_owner, const QImage& p_board)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(p_board.width() > p_board.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, &p_owner);
    const int answer = dialog->exec();
    delete dialog;   // the dialog may be gone already when the window was closed under it
    if (answer != QDialog::Accepted) {
        return TPrintOutcome::Cancelled;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return TPrintOutcome::Failed;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    painter.drawImage(FitToPage(p_board.size(), QRect(QPoint(0, 0), page.size())), p_board);
    const bool ended = painter.end();
    return ended && printer.printerState() != QPrinter::Error ? TPrintOutcome::Printed : TPrintOutcome::Failed;
}
