// The window's controls as a layout description will address them (by name in any letter case
// and by kind), where the bars and their controls stand on a 1280 x 800 screen, and the look the
// layout's skin data gives the bars.

#include "FormTestSupport.h"

#include "ui/ExScrollBox.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/TitleView.h"

#include <QLabel>

namespace {

// Every control a layout description may name is there, of its kind, under any letter case.
TEST_F(TFormTest, EveryControlALayoutAddressesIsFoundByNameAndKind)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    const std::pair<TControlKind, QStringList> kinds[] = {
        {TControlKind::Panel,
         {"paTitleView", "paTitleViewLeft", "paTitleViewClient", "paTiitleViewRight", "paStatusView", "paTabView",
          "paToolView", "paToolViewLeft", "paToolViewClient", "paToolViewRight", "paPlayView", "paPlayViewLeft",
          "paPlayViewClient", "paPlayViewRight", "paFrameView", "paLectureView", "paHiddenControlGroup", "paCheckUp",
          "paProposalView", "paEvaluationView", "paErrorView", "paGradeView", "paHelpView"}},
        {TControlKind::Picture,
         QStringList{"btnClose", "btnPlaySpeedDown", "btnPlay", "btnPlaySpeedUp", "btnPlayPrev", "btnPlayNext",
                     "btnEnLarge", "btnReduce", "btnSkinChangePrev", "btnSkinChangeNext", "btnProposal",
                     "btnEvaluation", "btnError", "btnGrade", "btnHelp", "imgHelp1", "imgHelp2", "imgSoundOn",
                     "imgSoundOff", "imgTitleViewLeft", "imgTitleViewClient", "imgTitleViewRight", "imgToolViewLeft",
                     "imgToolViewClient", "imgToolViewRight", "imgPlayViewLeft", "imgPlayViewClient",
                     "imgPlayViewRight", "imgPin", "imgPointerStick", "imgHelp", "imgProposalView",
                     "imgLectureAppraiseView", "imgErrorView", "imgGradeView", "imgHelpView", "imgPresentDetail"} +
             AllStatePictureNames()},
        {TControlKind::Label, {"lbStatusMessage", "lbSpeed", "lbCurrentTime", "lbTime", "lbTotalTime"}},
        {TControlKind::TabSet, {"tabLecturePage"}},
        {TControlKind::TrackBar, {"trbVolume"}},
    };
    for (const auto& [kind, names] : kinds) {
        for (const QString& name : names) {
            QObject* control = form.Controls().Find(name.toUpper(), kind);
            ASSERT_NE(control, nullptr) << name.toStdString();
            EXPECT_EQ(control->objectName(), name);
            EXPECT_EQ(form.Controls().Find(name.toLower(), kind), control) << name.toStdString();
        }
    }
    EXPECT_EQ(AllStatePictureNames().size(), 64);
}

// ---- The window's design places, on a 1280 x 800 screen

struct TPlaceCase {
    const char* name;
    QRect box;   // in its parent
};

TEST_F(TFormTest, BarsAndTheirControlsStandAtTheirDesignPlaces)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    const TPlaceCase places[] = {
        {"paTitleView", QRect(0, 0, 1280, 30)},
        {"paTitleViewLeft", QRect(0, 0, 90, 30)},
        {"paTitleViewClient", QRect(90, 0, 1150, 30)},
        {"paTiitleViewRight", QRect(1240, 0, 40, 30)},
        {"imgTitleViewRight", QRect(0, 0, 40, 30)},
        {"btnClose", QRect(11, 1, 26, 26)},
        {"scBox", QRect(0, 0, 1280, 695)},
        {"paStatusView", QRect(0, 695, 1280, 105)},
        {"paTabView", QRect(0, 0, 1280, 27)},
        {"tabLecturePage", QRect(0, 0, 1280, 27)},
        {"paToolView", QRect(0, 27, 1280, 53)},
        {"paToolViewLeft", QRect(0, 0, 736, 53)},
        {"imgToolViewLeft", QRect(0, 0, 736, 53)},
        {"paToolViewClient", QRect(736, 0, 374, 53)},
        {"paToolViewRight", QRect(1110, 0, 170, 53)},
        {"btnPlaySpeedUp", QRect(59, 17, 59, 24)},
        {"btnPlaySpeedDown", QRect(199, 17, 59, 24)},
        {"btnPlay", QRect(272, 7, 34, 34)},
        {"btnPlayPrev", QRect(322, 7, 34, 34)},
        {"btnPlayNext", QRect(362, 7, 34, 34)},
        {"btnEnLarge", QRect(403, 6, 34, 34)},
        {"btnReduce", QRect(443, 7, 34, 34)},
        {"btnSkinChangePrev", QRect(483, 7, 34, 34)},
        {"btnSkinChangeNext", QRect(523, 7, 34, 34)},
        {"btnProposal", QRect(562, 6, 34, 34)},
        {"btnEvaluation", QRect(602, 6, 34, 34)},
        {"btnError", QRect(642, 6, 34, 34)},
        {"btnGrade", QRect(682, 6, 34, 34)},
        {"btnHelp", QRect(129, 6, 34, 34)},
        {"trbVolume", QRect(10, 16, 100, 15)},
        {"paPlayView", QRect(0, 80, 1280, 25)},
        {"paPlayViewLeft", QRect(0, 0, 175, 25)},
        {"paPlayViewClient", QRect(175, 0, 1065, 25)},
        {"paPlayViewRight", QRect(1240, 0, 40, 25)},
        {"scbPlay", QRect(0, 3, 1280 - 175 - 40 - 10, 15)},
        // Feedback panels above their buttons, 10 over the status bar; help centred above it.
        {"paProposalView", QRect(562, 420, 280, 265)},
        {"paEvaluationView", QRect(602, 476, 192, 209)},
        {"paErrorView", QRect(642, 515, 235, 170)},
        {"paGradeView", QRect(682, 485, 280, 200)},
        {"paHelpView", QRect(392, 148, 495, 400)},
        {"paCheckUp", QRect(390, 308, 48, 48)},
    };
    for (const TPlaceCase& place : places) {
        const QObject* control = form.Controls().Find(QLatin1String(place.name));
        ASSERT_NE(control, nullptr) << place.name;
        EXPECT_EQ(static_cast<const QWidget*>(control)->geometry(), place.box) << place.name;
    }
    const std::pair<const char*, QPoint> labels[] = {
        {"lbSpeed", {130, 21}}, {"lbCurrentTime", {38, 2}}, {"lbTime", {89, 2}}, {"lbTotalTime", {104, 2}},
        {"lbStatusMessage", {107, 13}}};
    for (const auto& [name, at] : labels) {
        EXPECT_EQ(Control<QLabel>(name, TControlKind::Label)->pos(), at) << name;
    }
    // The title bar appears at the top edge; the status bar stays; the placeholders wait hidden.
    EXPECT_TRUE(form.TitleBar().isHidden());
    EXPECT_TRUE(form.StatusBar().isVisible());
    for (const char* hidden : {"paHiddenControlGroup", "paProposalView", "paHelpView", "paCheckUp"}) {
        EXPECT_TRUE(Control<QWidget>(hidden, TControlKind::Panel)->isHidden()) << hidden;
    }
    // The design's status text is not shown: the label starts empty.
    EXPECT_TRUE(form.StatusText().text().isEmpty());

    // Without the status bar the board area takes the whole window.
    form.StatusBar().hide();
    EXPECT_EQ(form.Board().scBox->geometry(), QRect(0, 0, 1280, 800));
}

// ---- The skin data's look

struct TSkinCase {
    int index;
    QColor fill;    // the filled part of a slider
    QColor other;   // the other look's fill, never seen
};

void PrintTo(const TSkinCase& c, std::ostream* out)
{
    *out << "skin " << c.index;
}

class TSkinLook : public TFormTest, public ::testing::WithParamInterface<TSkinCase> {};

int PixelsNear(const QImage& p_image, const QColor& p_color)
{
    int count = 0;
    for (int y = 0; y < p_image.height(); ++y) {
        for (int x = 0; x < p_image.width(); ++x) {
            const QColor pixel = p_image.pixelColor(x, y);
            count += std::abs(pixel.red() - p_color.red()) + std::abs(pixel.green() - p_color.green()) +
                         std::abs(pixel.blue() - p_color.blue()) <= 12;
        }
    }
    return count;
}

TEST_P(TSkinLook, FillsTheVolumeBarInTheAccentOfTheSkinIndex)
{
    const TSkinCase& c = GetParam();
    m_sLayoutFile = WriteLayoutFile(
        m_layoutFolder, QStringLiteral("skin.xml"),
        QStringLiteral(R"(<root><titleview fix="false" showpos="0"/><playview aligncenter="true"/><statusview fix="true">)"
                       R"(<k object="TSkinData" id="bsSkinData1" skinindex="%1"/></statusview></root>)")
            .arg(c.index)
            .toUtf8());
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_EQ(form.SkinReadResult().stop, TSkinStop::None);
    const QImage volume = Control<QWidget>("trbVolume", TControlKind::TrackBar)->grab().toImage();
    EXPECT_GT(PixelsNear(volume, c.fill), 20);
    EXPECT_EQ(PixelsNear(volume, c.other), 0);
}

INSTANTIATE_TEST_SUITE_P(Skins, TSkinLook,
                         ::testing::Values(TSkinCase{0, QColor(0x4A, 0xA3, 0xFF), QColor(0x3C, 0xC7, 0xB4)},
                                           TSkinCase{1, QColor(0x3C, 0xC7, 0xB4), QColor(0x4A, 0xA3, 0xFF)}),
                         [](const ::testing::TestParamInfo<TSkinCase>& info) {
                             return "Skin" + std::to_string(info.param.index);
                         });

} // namespace
