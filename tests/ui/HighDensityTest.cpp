// The window on a screen of a device pixel ratio: the board, the desk, the frame and the pointer
// stick drawn at the screen's pixels, the skin's pictures read from their "@2x" files above ratio
// 1. The tests of HighDensityScreen run at the platform's ratio 1 with the others and again, by
// a test entry of their own, on a screen scaled to 200 % (QT_SCALE_FACTOR=2). A window moving to
// a screen of another ratio is played through the board area's ratio source: the offscreen
// platform cannot change a screen's ratio once started.

#include "FormTestSupport.h"

#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "support/BoardPixels.h"
#include "support/Sharpness.h"
#include "ui/MessageForm.h"
#include "ui/PaintBox.h"

#include <QDir>
#include <QFileInfo>

namespace {

QImage Argb(const QImage& p_image)
{
    return p_image.convertToFormat(QImage::Format_ARGB32);
}

// The skin has pictures at 1x and 2x: a screen above ratio 1 shows the 2x ones.
qreal PictureRatioFor(qreal p_dScreenRatio)
{
    return p_dScreenRatio > 1.0 ? 2.0 : 1.0;
}

class HighDensityScreen : public TFormTest {
protected:
    // The board, the desk, the frame's pictures and the pointer stick follow the ratio.
    void ExpectBoardAreaAt(qreal p_dRatio)
    {
        TPlaybackEngine& engine = m_form->Engine();
        TBoardArea& area = m_form->Board();
        EXPECT_EQ(engine.GetBoardImage().devicePixelRatio(), p_dRatio);
        EXPECT_EQ(engine.GetBoardImage().size(), DeviceSize(engine.Board().GetSurfaceSize(), p_dRatio));
        engine.EnsureBoardRendered(QRect(QPoint(0, 0), engine.Board().GetSurfaceSize()));
        EXPECT_EQ(DifferingPixels(Argb(engine.GetBoardImage()), Argb(FullRepaint(engine))), 0);
        ASSERT_NE(area.DeskPicture(), nullptr);
        EXPECT_EQ(area.DeskPicture()->GetQImage().devicePixelRatio(), PictureRatioFor(p_dRatio));
        EXPECT_EQ(area.imgPointerStick->GetPicture().devicePixelRatio(), p_dRatio);
        EXPECT_EQ(area.imgPointerStick->GetPicture().width(), DeviceSize(QSize(kPointerStickSize, 1), p_dRatio).width());
    }
};

TEST_F(HighDensityScreen, BoardAndSkinAreDrawnAtTheScreensRatio)
{
    m_sLayoutFile = JoinPath(QCoreApplication::applicationDirPath(), QStringLiteral("ravo.xml"));
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(form.IsStartedUp());
    const qreal ratio = form.devicePixelRatioF();
    // The entry on a scaled screen runs at its scale, not at 1 by mistake.
    EXPECT_EQ(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0);
    ExpectBoardAreaAt(ratio);

    // On the window the board's pixels land one to one on the screen's.
    const QImage shown = Argb(form.Board().pbDraw->grab().toImage());
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    const QImage board = Argb(form.Engine().GetRenderedBoard());
    const QRect both = shown.rect().intersected(board.rect());
    ASSERT_FALSE(both.isEmpty());
    EXPECT_EQ(DifferingPixels(shown.copy(both), board.copy(both)), 0);

    // The tool buttons, their state pictures and a bar background, as the default skin's layout
    // reads them: it names the 1x files.
    for (const char* name : {"btnPlay", "btnEnLarge", "imgPlayUp", "imgHelpOver", "imgTitleViewLeft"}) {
        const TPicture* picture = Control<TPicture>(name);
        ASSERT_NE(picture, nullptr) << name;
        ASSERT_FALSE(picture->GetPicture().isNull()) << name;
        EXPECT_EQ(picture->GetPicture().devicePixelRatio(), PictureRatioFor(ratio)) << name;
    }
    // The message window's pictures, and the button it paints where a picture is missing.
    TMessageForm message(&form, QCoreApplication::applicationDirPath(), kScreen);
    EXPECT_EQ(message.imgBack->GetPicture().devicePixelRatio(), PictureRatioFor(ratio));
    EXPECT_EQ(message.imgOkUp->GetPicture().devicePixelRatio(), PictureRatioFor(ratio));
    TMessageForm unskinned(&form, m_layoutFolder.path(), kScreen);
    EXPECT_EQ(unskinned.imgOkUp->GetPicture().devicePixelRatio(), ratio);
    EXPECT_EQ(unskinned.imgOkUp->GetPicture().deviceIndependentSize(), message.imgOkUp->GetPicture().deviceIndependentSize());
}

TEST_F(HighDensityScreen, WindowMovedToAScreenOfAnotherRatioDrawsAgainAtIt)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(form.IsStartedUp());
    const qreal start = form.devicePixelRatioF();
    qreal screen = start;
    form.Board().SetScreenRatioSource([&screen] { return screen; });
    for (const qreal ratio : {start == 1.0 ? 2.0 : 1.0, 1.5, start}) {
        SCOPED_TRACE(ratio);
        screen = ratio;
        QEvent moved(QEvent::ScreenChangeInternal);
        QCoreApplication::sendEvent(form.Board().pbDraw, &moved);
        ExpectBoardAreaAt(ratio);
    }
}

// Every picture of the default skin has its "@2x" file: twice the size, the same picture
// scaled down, and painted at the finer pixels rather than stretched (its edges do not come in
// 2 x 2 blocks of one colour).
TEST(SkinPictures, EveryPictureHasItsHighResolutionFile)
{
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/image"));
    const QStringList names = folder.entryList({QStringLiteral("*.png")}, QDir::Files);
    int pictures = 0;
    for (const QString& name : names) {
        if (name.contains(QLatin1Char('@'))) {
            continue;
        }
        SCOPED_TRACE(name.toStdString());
        ++pictures;
        const QImage single = Argb(QImage(folder.filePath(name)));
        const QImage twice = Argb(QImage(HighResolutionFileName(folder.filePath(name))));
        ASSERT_EQ(twice.size(), 2 * single.size());
        const QImage down = twice.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double difference = 0.0;
        for (int y = 0; y < single.height(); ++y) {
            for (int x = 0; x < single.width(); ++x) {
                const QRgb a = single.pixel(x, y);
                const QRgb b = down.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) +
                              std::abs(qAlpha(a) - qAlpha(b));
            }
        }
        EXPECT_LT(difference / (4.0 * single.width() * single.height()), 6.0);
        QImage transparent(twice.size(), QImage::Format_ARGB32);
        transparent.fill(Qt::transparent);
        EXPECT_LT(sharpness::UniformBlockShare(twice, transparent), 0.95);
    }
    EXPECT_GT(pictures, 100);
}

} // namespace
