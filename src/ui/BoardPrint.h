#pragma once
// Printing the board: the system's print dialog (a PDF file when the machine has no printer),
// then the picture on one page, as large as the paper allows and in its own proportions.

#include <QImage>

class QWidget;

enum class TPrintOutcome { Printed, Cancelled, Failed };

// Shows the print dialog as a child of p_owner (so that closing the window takes it away) and
// prints p_board when the learner accepts.
TPrintOutcome PrintBoard(QWidget& p_owner, const QImage& p_board);
