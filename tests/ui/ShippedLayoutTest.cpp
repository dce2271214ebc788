// The layouts the build step places next to the player (ravo.xml and ravo-compact.xml): every
// picture they name exists at its control's size, they name every control a layout can address,
// the window reads each to its end, and the window's controls stand where the file says.

#include "FormTestSupport.h"

#include "ui/ExScrollBox.h"
#include "ui/JumpSlider.h"
#include "ui/PaintBox.h"
#include "ui/SeekBar.h"
#include "ui/ShellLook.h"
#include "ui/StatusView.h"
#include "ui/TitleView.h"
#include "ui/ToolView.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QPixmap>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <set>

namespace {

QString BinFile(const QString& p_sName)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(p_sName);
}

QDomDocument ReadDocument(const QString& p_sPath)
{
    QFile file(p_sPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << p_sPath.toStdString();
    QDomDocument document;
    EXPECT_TRUE(document.setContent(file.readAll())) << p_sPath.toStdString();
    return document;
}

// The control elements of the three views, in the order the window reads them.
std::vector<QDomElement> ControlElements(const QDomDocument& p_document)
{
    std::vector<QDomElement> elements;
    const QDomElement root = p_document.documentElement();
    for (const char* view : {"titleview", "playview", "statusview"}) {
        for (QDomElement e = root.firstChildElement(QLatin1String(view)).firstChildElement(); !e.isNull();
             e = e.nextSiblingElement()) {
            elements.push_back(e);
        }
    }
    return elements;
}

QString Attribute(const QDomElement& p_element, const char* p_sName)
{
    return p_element.attribute(QLatin1String(p_sName));
}

int Value(const QDomElement& p_element, const char* p_sName, const QSize& p_screen)
{
    const QString text = Attribute(p_element, p_sName);
    if (text == QLatin1String("screenX")) {
        return p_screen.width();
    }
    if (text == QLatin1String("screenY")) {
        return p_screen.height();
    }
    bool ok = false;
    const int value = text.startsWith(QLatin1Char('$')) ? text.mid(1).toInt(&ok, 16) : text.toInt(&ok);
    EXPECT_TRUE(ok) << p_sName << " = " << text.toStdString();
    return value;
}

const char* const kLayouts[] = {"ravo.xml", "ravo-compact.xml"};

class TShippedLayout : public TFormTest, public ::testing::WithParamInterface<const char*> {
protected:
    QString LayoutPath() const { return BinFile(QLatin1String(GetParam())); }
};

// ---- The files and their pictures

TEST_P(TShippedLayout, NamesEveryPictureThatExistsAtItsControlsSize)
{
    const QDir images(BinFile(QStringLiteral("image")));
    int pictures = 0;
    for (const QDomElement& element : ControlElements(ReadDocument(LayoutPath()))) {
        if (!element.hasAttribute(QStringLiteral("image"))) {
            continue;
        }
        const QString id = Attribute(element, "id");
        QPixmap picture;
        ASSERT_TRUE(picture.load(images.filePath(Attribute(element, "image")))) << id.toStdString();
        ++pictures;
        const QString kind = Attribute(element, "object");
        const bool placedAtItsSize = kind == QLatin1String("TButtonImage") ||
                                     (kind == QLatin1String("TImage") && Attribute(element, "align") == QLatin1String("alNone"));
        if (placedAtItsSize) {
            EXPECT_EQ(picture.size(), QSize(Value(element, "width", kScreen), Value(element, "height", kScreen)))
                << id.toStdString();
        }
    }
    // 64 state pictures, 2 help pages, 2 loudspeakers, 9 bar backgrounds, 5 panel backgrounds,
    // the prize list: the pin only where the layout shows it.
    EXPECT_GE(pictures, 64 + 2 + 2 + 9 + 5 + 1);
}

TEST_P(TShippedLayout, NamesEveryControlALayoutAddresses)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    std::set<QString> named;
    for (const QDomElement& element : ControlElements(ReadDocument(LayoutPath()))) {
        named.insert(Attribute(element, "id"));
    }
    for (const TControlKind kind : {TControlKind::Panel, TControlKind::Picture, TControlKind::Label,
                                    TControlKind::SkinData, TControlKind::TabSet, TControlKind::TrackBar}) {
        for (const QString& name : form.Controls().Names(kind)) {
            EXPECT_TRUE(named.count(name)) << name.toStdString() << " is not in " << GetParam();
        }
    }
}

TEST_P(TShippedLayout, IsReadToItsEnd)
{
    m_sLayoutFile = LayoutPath();
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    EXPECT_EQ(form.SkinReadResult().stop, TSkinStop::None) << form.SkinReadResult().where.toStdString();
    EXPECT_EQ(form.SkinReadResult().controlsRead,
              static_cast<int>(ControlElements(ReadDocument(LayoutPath())).size()));
}

// ---- The window as the file says

// Each control element against its control after the start-up on a 1280 x 800 screen: an
// unaligned control stands at its box, an aligned one keeps the size its alignment leaves to the
// file and spans its parent the other way. The frame and the board are placed for the page and
// the panels over their buttons by the start-up, after the file: their sizes still hold.
TEST_P(TShippedLayout, PlacesTheControlsWhereTheFileSays)
{
    m_sLayoutFile = LayoutPath();
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    const std::set<QString> placedForThePage = {"paFrameView", "paLectureView"};
    const std::set<QString> placedByTheStartUp = {"paProposalView", "paEvaluationView", "paErrorView", "paGradeView",
                                                  "paHelpView"};
    int compared = 0;
    for (const QDomElement& element : ControlElements(ReadDocument(LayoutPath()))) {
        const QString id = Attribute(element, "id");
        const QString kind = Attribute(element, "object");
        const QString align = Attribute(element, "align");
        if (kind == QLatin1String("TSkinData") || Attribute(element, "visible") == QLatin1String("false") ||
            align == QLatin1String("alClient") || placedForThePage.count(id)) {
            continue;
        }
        const auto* control = qobject_cast<const QWidget*>(form.Controls().Find(id));
        ASSERT_NE(control, nullptr) << id.toStdString();
        const QRect box = control->geometry();
        const QSize size(Value(element, "width", kScreen), Value(element, "height", kScreen));
        const QSize parent = control->parentWidget()->size();
        SCOPED_TRACE(id.toStdString());
        if (align == QLatin1String("alTop") || align == QLatin1String("alBottom")) {
            EXPECT_EQ(box.size(), QSize(parent.width(), size.height()));
        } else if (align == QLatin1String("alLeft") || align == QLatin1String("alRight")) {
            EXPECT_EQ(box.width(), size.width());
        } else if (kind == QLatin1String("TButtonImage") || placedByTheStartUp.count(id)) {
            EXPECT_EQ(box.size(), size);
        } else {
            EXPECT_EQ(box, QRect(QPoint(Value(element, "left", kScreen), Value(element, "top", kScreen)), size));
        }
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TShippedLayout, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return QString::fromLatin1(info.param).section(QLatin1Char('.'), 0, 0).remove(QLatin1Char('-')).toStdString();
                         });

// The default layout: the status bar stays, the title bar waits at the top edge, the board is
// centred above the status bar; the bars wear their pictures.
TEST_F(TFormTest, DefaultLayoutCentresTheBoardAboveTheStatusBar)
{
    m_sLayoutFile = BinFile(QStringLiteral("ravo.xml"));
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    EXPECT_TRUE(form.TitleBar().isHidden());
    EXPECT_FALSE(form.StatusBar().isHidden());
    EXPECT_EQ(form.StatusBar().geometry(), QRect(0, 695, 1280, 105));
    EXPECT_EQ(form.Board().paFrameView->geometry(), QRect(300, 88, 680, 520));
    EXPECT_EQ(form.Board().scBox->geometry(), QRect(0, 0, 1280, 695));
    for (const char* background : {"imgToolViewLeft", "imgPlayViewClient", "imgTitleViewRight"}) {
        EXPECT_FALSE(Control<TPicture>(background)->GetPicture().isNull()) << background;
    }
}

// The compact layout: both bars wait at the edges, the board stands at the top left, the play
// bar lies above the tools and the page tabs at the bottom of an 88 high status bar.
TEST_F(TFormTest, CompactLayoutPutsTheBoardTopLeftAndThePlayBarOnTop)
{
    m_sLayoutFile = BinFile(QStringLiteral("ravo-compact.xml"));
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    EXPECT_TRUE(form.TitleBar().isHidden());
    EXPECT_TRUE(form.StatusBar().isHidden());
    EXPECT_EQ(form.Board().scBox->geometry(), QRect(0, 0, 1280, 800));
    EXPECT_EQ(form.Board().paFrameView->geometry(), QRect(0, 0, 680, 520));
    EXPECT_EQ(form.StatusBar().geometry(), QRect(0, 712, 1280, 88));
    EXPECT_EQ(form.StatusBar().paPlayView->geometry(), QRect(0, 0, 1280, 22));
    EXPECT_EQ(form.StatusBar().paToolView->geometry(), QRect(0, 22, 1280, 40));
    EXPECT_EQ(form.StatusBar().paTabView->geometry(), QRect(0, 62, 1280, 26));
    // The bottom band as high as the status bar shows it; the board hides it again.
    form.Reveal().ShowToolBar(640, 800 - 88);
    EXPECT_FALSE(form.StatusBar().isHidden());
    EXPECT_EQ(form.Board().scBox->geometry(), QRect(0, 0, 1280, 712));
    form.Reveal().ShowToolBar(640, 400);
    EXPECT_TRUE(form.StatusBar().isHidden());
}

// The compact layout's status bar is not fixed: a drag of the seek knob that leaves the band keeps
// the bar (the moves belong to the knob until the release, not to the board area), and the seek
// lands where the knob was let go.
TEST_F(TFormTest, DraggingTheSeekKnobOutOfTheBandKeepsTheBarAndSeeks)
{
    m_sLayoutFile = BinFile(QStringLiteral("ravo-compact.xml"));
    TForm1& form = StartForm(QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57"));
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 799));
    ASSERT_TRUE(form.StatusBar().isVisible());
    QSlider* track = form.StatusBar().scbPlay->Track();
    QStyleOptionSlider option;
    option.initFrom(track);
    option.orientation = track->orientation();
    option.minimum = track->minimum();
    option.maximum = track->maximum();
    option.sliderPosition = track->sliderPosition();
    const QPoint knob = track->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track).center();

    QTest::mousePress(track, Qt::LeftButton, Qt::NoModifier, knob);
    bool stayed = true;
    for (int step = 1; step <= 8; ++step) {
        QTest::mouseMove(track, knob + QPoint(step * track->width() / 12, -10 * step));   // up to 80 px above
        stayed = stayed && form.StatusBar().isVisible();
    }
    const QPoint end = knob + QPoint(8 * track->width() / 12, -80);
    QTest::mouseRelease(track, Qt::LeftButton, Qt::NoModifier, end);
    EXPECT_TRUE(stayed) << "the status bar went during the drag";
    EXPECT_GT(track->value(), 0);
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, track->value());
}

// The built-in look colours the speed and the times as the shipped layouts do, so a window whose
// layout file stops early looks the same.
TEST(ShippedLayoutColours, AreTheBuiltInAccents)
{
    for (const char* layout : kLayouts) {
        for (const QDomElement& element : ControlElements(ReadDocument(BinFile(QLatin1String(layout))))) {
            const QString id = Attribute(element, "id");
            const QColor built = id == QLatin1String("lbSpeed") ? ShellLook::kSpeedColor : ShellLook::kTimeColor;
            if (id == QLatin1String("lbSpeed") || id == QLatin1String("lbCurrentTime") || id == QLatin1String("lbTotalTime")) {
                EXPECT_EQ(ShellLook::LayoutColor(Attribute(element, "fontcolor").toUInt()), built) << layout << " " << id.toStdString();
            }
        }
    }
}

} // namespace
