// Printing the board from the grade button: the print dialog driven by real clicks and typing,
// a PDF file rendered back to pixels, cancelling, failing and the window closing under the dialog.

#include "FormTestSupport.h"

#include "DialogDriver.h"

#include "ui/PrintFit.h"
#include "ui/ToolView.h"
#include "ui/StatusView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

// Chooses the PDF file entry, types the file name and clicks the dialog's print button.
void PrintToFile(QPrintDialog& p_dialog, const QString& p_sFile)
{
    auto* printers = p_dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->count() - 1);   // the file entry comes last
    auto* name = p_dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClicks(name, p_sFile);
    auto* buttons = p_dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void Cancel(QPrintDialog& p_dialog)
{
    QTest::mouseClick(p_dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
}

} // namespace

TEST(TPrintFit, KeepsTheProportionsAndCentresOnThePage)
{
    struct TCase {
        QSize picture;
        QRect page;
        QRect expected;
    };
    const TCase cases[] = {
        {QSize(800, 600), QRect(0, 0, 400, 600), QRect(0, 150, 400, 300)},     // width limits
        {QSize(600, 800), QRect(0, 0, 600, 400), QRect(150, 0, 300, 400)},     // height limits
        {QSize(100, 50), QRect(10, 20, 1000, 500), QRect(10, 20, 1000, 500)},  // grows to fit
        {QSize(3, 2), QRect(0, 0, 5, 5), QRect(0, 1, 5, 3)},                   // 3.33 rounds to 3
        {QSize(0, 50), QRect(0, 0, 100, 100), QRect()},
        {QSize(50, 50), QRect(0, 0, 0, 100), QRect()},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FitToPage(c.picture, c.page), c.expected) << c.picture.width() << "x" << c.picture.height();
    }
}

class TBoardPrint : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        StartForm(QString::fromLatin1(kTinyLaunchText));
        ASSERT_TRUE(m_form->IsStartedUp());
        ASSERT_TRUE(m_form->State().m_bPlaying);
        CloseStuckDialogsAfter(*m_form);
    }

    // Releases the grade button; p_answer handles the print dialog and sees the player meanwhile.
    void PrintWith(const std::function<void(QPrintDialog&)>& p_answer)
    {
        TDialogDriver<QPrintDialog> driver(*m_form, [this, p_answer](QPrintDialog& dialog) {
            m_bPausedInside = !m_form->State().m_bPlaying;
            m_bInertInside = m_form->State().m_bActivateView;
            p_answer(dialog);
        });
        QTest::mouseClick(m_form->StatusBar().paToolView->btnGrade, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(driver.Shown(), 1);
    }

    QTemporaryDir m_folder;
    bool m_bPausedInside = false;
    bool m_bInertInside = false;
};

// The PDF holds the whole board, not the part on screen: the board is zoomed so that it does
// not fit, and the page rendered back shows the board's picture in its proportions.
TEST_F(TBoardPrint, PrintsTheWholeBoardToAPdfFileAndResumes)
{
    m_form->Engine().ResizeingImage(true);
    m_form->Engine().ResizeingImage(true);
    const QRect area(QPoint(0, 0), m_form->Engine().GetBoardSize());
    m_form->Engine().EnsureBoardRendered(area);
    const QImage board = m_form->Engine().GetBoardImage().copy(area);
    const QString pdf = m_folder.filePath(QStringLiteral("board.pdf"));

    PrintWith([&](QPrintDialog& dialog) { PrintToFile(dialog, pdf); });

    EXPECT_TRUE(m_bPausedInside);
    EXPECT_TRUE(m_bInertInside);
    EXPECT_TRUE(m_form->State().m_bPlaying);
    EXPECT_FALSE(m_form->State().m_bActivateView);
    EXPECT_TRUE(m_listMessages.empty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("%PDF"));

    const QString prefix = m_folder.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                 QStringLiteral("-singlefile"), pdf, prefix}),
              0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    // The printed board: where the page is not white paper.
    QRect printed;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixelColor(x, y) != QColor(Qt::white)) {
                printed |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(printed.isEmpty());
    // As large as the paper allows: it reaches two opposite margins.
    EXPECT_GT(std::max(double(printed.width()) / page.width(), double(printed.height()) / page.height()), 0.8);
    // The same picture: samples of the board at their places on the page.
    EXPECT_NEAR(double(printed.width()) / printed.height(), double(board.width()) / board.height(), 0.05);
    int alike = 0;
    int samples = 0;
    for (int i = 1; i < 10; ++i) {
        for (int j = 1; j < 10; ++j) {
            const QColor want = board.pixelColor(board.width() * i / 10, board.height() * j / 10);
            const QColor got = page.pixelColor(printed.left() + printed.width() * i / 10,
                                               printed.top() + printed.height() * j / 10);
            ++samples;
            alike += std::abs(want.red() - got.red()) + std::abs(want.green() - got.green()) +
                         std::abs(want.blue() - got.blue()) < 60;
        }
    }
    EXPECT_GT(alike, samples * 8 / 10);
}

TEST_F(TBoardPrint, ACancelledDialogResumesPlayback)
{
    PrintWith([](QPrintDialog& dialog) { Cancel(dialog); });

    EXPECT_TRUE(m_bPausedInside);
    EXPECT_TRUE(m_bInertInside);
    EXPECT_TRUE(m_form->State().m_bPlaying);
    EXPECT_FALSE(m_form->State().m_bActivateView);
    EXPECT_TRUE(m_listMessages.empty());
}

// The window closed while the dialog is up takes the dialog away; nothing resumes, nothing is told.
TEST_F(TBoardPrint, TheWindowClosingUnderTheDialogTakesItAway)
{
    PrintWith([this](QPrintDialog&) { m_form->ForceClose(); });

    EXPECT_TRUE(m_form->IsClosing());
    EXPECT_FALSE(m_form->State().m_bPlaying);
    EXPECT_TRUE(m_form->findChildren<QPrintDialog*>().isEmpty());
    EXPECT_TRUE(m_listMessages.empty());
}
