// The scroll box reports mouse moves over its own scroll bars, in screen coordinates, and still
// lets the bars have them.

#include "ui/ExScrollBox.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ExScrollBox, ReportsMovesOverItsScrollBarsInScreenCoordinates)
{
    TExScrollBox box;
    box.resize(200, 150);
    auto* content = new QWidget;
    content->resize(600, 500);
    box.setWidget(content);
    box.move(40, 30);
    box.show();
    QCoreApplication::processEvents();   // the scroll bars are laid out on a posted request
    std::vector<QPoint> moves;
    box.SetOnNcMouseMove([&moves](int x, int y) { moves.emplace_back(x, y); });

    for (QScrollBar* bar : {box.verticalScrollBar(), box.horizontalScrollBar()}) {
        ASSERT_TRUE(bar->isVisible());
        const QPointF at(4, 4);
        QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &move);
        ASSERT_FALSE(moves.empty());
        EXPECT_EQ(moves.back(), bar->mapToGlobal(QPoint(4, 4)));
    }
    EXPECT_EQ(moves.size(), 2u);

    // Moves over the content are the content's own.
    QMouseEvent inside(QEvent::MouseMove, QPointF(5, 5), content->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(content, &inside);
    EXPECT_EQ(moves.size(), 2u);
}

} // namespace
