// The layout file on a bench of a few controls of every kind: each kind and attribute, the numbers
// ("$20", "screenX"), alignment that wins over a given size, the views' order and flags, and every
// way the reading stops (unknown id, wrong kind, a missing required number, a missing picture, no
// file, a broken file): what was applied before stays, nothing after is touched.

#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/ControlRegistry.h"
#include "ui/Panel.h"
#include "ui/Picture.h"
#include "ui/SkinData.h"
#include "ui/SkinLayoutReader.h"
#include "ui/TabSet.h"

#include <QFile>
#include <QFontMetrics>
#include <QtGlobal>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const QSize kScreen(1280, 800);
const QColor kDesignColor(0x11, 0x22, 0x33);

// A window of 800 x 600 with a top-aligned bar, a box holding a picture and a button, a label, a
// tab set, a track bar, skin data and a hidden picture; pictures "dot.png" (3 x 2) and
// "wide.png" (9 x 1) in the picture folder.
class TLayoutBench {
public:
    TLayoutBench()
    {
        window.resize(800, 600);
        paBar = Add(new TPanel(&window, QStringLiteral("paBar"), kDesignColor), TControlKind::Panel);
        paBar->resize(800, 30);
        align.SetAlign(paBar, TAlign::Top);
        paBox = Add(new TPanel(&window, QStringLiteral("paBox"), kDesignColor), TControlKind::Panel);
        paBox->setGeometry(10, 40, 100, 50);
        imgPic = Add(new TPicture(paBox, QStringLiteral("imgPic")), TControlKind::Picture);
        imgPic->setGeometry(1, 2, 20, 20);
        btnGo = Add(new TPicture(paBox, QStringLiteral("btnGo")), TControlKind::Picture);
        btnGo->setGeometry(30, 2, 34, 34);
        imgHidden = Add(new TPicture(&window, QStringLiteral("imgHidden")), TControlKind::Picture);
        imgHidden->hide();
        lbText = Add(Named(new QLabel(QStringLiteral("design"), &window), "lbText"), TControlKind::Label);
        lbText->setGeometry(5, 100, 60, 16);
        tabs = Add(new TTabSet(&window, QStringLiteral("tabPages")), TControlKind::TabSet);
        volume = Add(Named(new QSlider(Qt::Horizontal, &window), "trbVolume"), TControlKind::TrackBar);
        skin = new TSkinData(&window, QStringLiteral("bsSkin"), [this](int index) { skinsApplied.push_back(index); });
        registry.Register(skin, TControlKind::SkinData);

        QImage dot(3, 2, QImage::Format_RGB32);
        dot.fill(Qt::red);
        dot.save(folder.filePath(QStringLiteral("dot.png")));
        QImage wide(9, 1, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        wide.save(folder.filePath(QStringLiteral("wide.png")));
    }

    TSkinReadResult ReadBytes(const QByteArray& p_bytes)
    {
        const QString path = folder.filePath(QStringLiteral("ravo.xml"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(p_bytes);
        file.close();
        return ReadFile(path);
    }

    TSkinReadResult ReadFile(const QString& p_sPath)
    {
        return TSkinLayoutReader(state, TSkinLayoutTarget{registry, align, kScreen, folder.path()}).LoadSkinInfo(p_sPath);
    }

    QWidget window;
    TControlRegistry registry;
    TAlignEngine align;
    TPlayerState state;
    QTemporaryDir folder;
    TPanel* paBar;
    TPanel* paBox;
    TPicture* imgPic;
    TPicture* btnGo;
    TPicture* imgHidden;
    QLabel* lbText;
    TTabSet* tabs;
    QSlider* volume;
    TSkinData* skin;
    std::vector<int> skinsApplied;

private:
    template <class T>
    static T* Named(T* p_control, const char* p_sName)
    {
        p_control->setObjectName(QLatin1String(p_sName));
        return p_control;
    }

    template <class T>
    T* Add(T* p_control, TControlKind p_enumKind)
    {
        EXPECT_TRUE(registry.Register(p_control, p_enumKind)) << p_control->objectName().toStdString();
        return p_control;
    }
};

// A layout of fixed, centred views with these control elements in the play view.
QByteArray Layout(const char* p_sControls)
{
    return QByteArray(R"(<root><titleview fix="true" showpos="0"/><playview aligncenter="true">)") + p_sControls +
           R"(</playview><statusview fix="true"/></root>)";
}

QColor PanelColor(const QWidget* p_panel)
{
    return p_panel->palette().color(QPalette::Window);
}

struct TLayoutCase {
    const char* name;
    QByteArray file;
    TSkinStop stop;
    std::function<void(const TLayoutBench&)> check;
};

void PrintTo(const TLayoutCase& c, std::ostream* out)
{
    *out << c.name;
}

class TLayoutFile : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(TLayoutFile, AppliesWhatItReadsAndStopsWhereItMust)
{
    const TLayoutCase& c = GetParam();
    TLayoutBench bench;
    const TSkinReadResult result = bench.ReadBytes(c.file);
    EXPECT_EQ(result.stop, c.stop) << result.where.toStdString();
    c.check(bench);
}

// Nothing of the bench changed.
void Untouched(const TLayoutBench& b)
{
    EXPECT_EQ(b.paBox->geometry(), QRect(10, 40, 100, 50));
    EXPECT_EQ(PanelColor(b.paBox), kDesignColor);
    EXPECT_EQ(b.lbText->text(), QStringLiteral("design"));
}

// ---- Each kind and its attributes

INSTANTIATE_TEST_SUITE_P(
    Kinds, TLayoutFile,
    ::testing::Values(
        TLayoutCase{"PanelBoxInItsOrderWithHexAndColour",
                    Layout(R"(<p object="TPanel" id="paBox" align="alNone" width="$20" height="40" left="-5" top="6" bgcolor="255"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.paBox->geometry(), QRect(-5, 6, 32, 40));
                        EXPECT_EQ(PanelColor(b.paBox), QColor(255, 0, 0));
                    }},
        TLayoutCase{"PanelWithoutColourKeepsItsColourAndScreenXIsTheScreenWidth",
                    Layout(R"(<p object="TPanel" id="paBox" align="alNone" width="screenX" height="screenY" left="0" top="0"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.paBox->geometry(), QRect(0, 0, 1280, 800));
                        EXPECT_EQ(PanelColor(b.paBox), kDesignColor);
                    }},
        TLayoutCase{"ColourBeyondRgbIsIgnoredAndTheReadingGoesOn",
                    Layout(R"(<p object="TPanel" id="paBox" align="alNone" width="1" height="2" left="3" top="4" bgcolor="-16777201"/>
                              <p object="TPanel" id="paBar" align="alTop" width="1" height="20" left="0" top="0" bgcolor="$1000000"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(PanelColor(b.paBox), kDesignColor);
                        EXPECT_EQ(PanelColor(b.paBar), kDesignColor);
                        EXPECT_EQ(b.paBar->height(), 20);
                    }},
        TLayoutCase{"TopAlignedPanelGivenWidthTenKeepsTheParentsWidth",
                    Layout(R"(<p object="TPanel" id="paBar" align="alTop" width="10" height="44" left="70" top="80"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) { EXPECT_EQ(b.paBar->geometry(), QRect(0, 0, 800, 44)); }},
        TLayoutCase{"NoAlignUnalignsTheControl",
                    Layout(R"(<p object="TPanel" id="paBar" width="10" height="44" left="70" top="80"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(TAlignEngine::GetAlign(b.paBar), TAlign::None);
                        EXPECT_EQ(b.paBar->geometry(), QRect(70, 80, 10, 44));
                    }},
        TLayoutCase{"AlClientEndsTheElement",
                    Layout(R"(<l object="TLabel" id="lbText" align="alClient" width="x" caption="never" fontcolor="x"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.lbText->text(), QStringLiteral("design"));
                        EXPECT_EQ(b.lbText->geometry(), QRect(0, 30, 800, 570));   // below the bar
                    }},
        TLayoutCase{"PictureLoadsItsImageBeforeItsBox",
                    Layout(R"(<i object="TImage" id="imgPic" image="dot.png" align="alNone" width="screenX" height="7" left="8" top="9"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.imgPic->GetPicture().size(), QSize(3, 2));
                        EXPECT_EQ(b.imgPic->geometry(), QRect(8, 9, 1280, 7));
                    }},
        TLayoutCase{"AbsentImageKeepsThePicture",
                    Layout(R"(<i object="TImage" id="imgPic" image="dot.png" align="alNone" width="1" height="1" left="0" top="0"/>
                              <i object="TImage" id="IMGPIC" align="alNone" width="5" height="5" left="0" top="0"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.imgPic->GetPicture().size(), QSize(3, 2));
                        EXPECT_EQ(b.imgPic->size(), QSize(5, 5));
                    }},
        TLayoutCase{"ButtonTakesPlainIntegers",
                    Layout(R"(<b object="TButton" id="btnGo" align="alNone" width="40" height="$1E" left="+7" top="8"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) { EXPECT_EQ(b.btnGo->geometry(), QRect(7, 8, 40, 30)); }},
        TLayoutCase{"ButtonImageReadsItsSizeOnly",
                    Layout(R"(<s object="TButtonImage" id="imgPic" image="wide.png" align="alNone" width="9" height="1" left="50" top="60"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.imgPic->GetPicture().size(), QSize(9, 1));
                        EXPECT_EQ(b.imgPic->geometry(), QRect(1, 2, 9, 1));
                    }},
        TLayoutCase{"LabelCaptionColourAndTheSizeWinningOverTheHeight",
                    Layout(R"(<l object="TLabel" id="lbText" align="alNone" width="90" height="20" left="1" top="2" caption="재생속도" fontcolor="$FF0000" fontheight="-12" fontsize="-17"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.lbText->geometry(), QRect(1, 2, 90, 20));
                        EXPECT_EQ(b.lbText->text(), QStringLiteral("재생속도"));
                        EXPECT_EQ(b.lbText->palette().color(QPalette::WindowText), QColor(0, 0, 255));
                        EXPECT_EQ(b.lbText->font().pixelSize(), 17);
                    }},
        TLayoutCase{"LabelWithoutCaptionIsEmptied",
                    Layout(R"(<l object="TLabel" id="lbText" align="alNone" width="9" height="9" left="1" top="2" fontcolor="0" fontheight="-12" fontsize="-12"/>)"),
                    TSkinStop::None, [](const TLayoutBench& b) { EXPECT_TRUE(b.lbText->text().isEmpty()); }},
        TLayoutCase{"SkinIndexOneIsWornAndAnIndexOfNoLookIgnored",
                    Layout(R"(<k object="TSkinData" id="bsSkin" skinindex="1"/><k object="TSkinData" id="bsskin" skinindex="2"/>
                              <p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.skinsApplied, std::vector<int>{1});
                        EXPECT_EQ(b.skin->GetSkinIndex(), 1);
                        EXPECT_EQ(b.paBox->size(), QSize(1, 1));
                    }},
        TLayoutCase{"TabSetBoxAndColours",
                    Layout(R"(<t object="TTabSet" id="tabPages" align="alBottom" width="7" height="27" left="1" top="1" selectedcolor="$D06F2F" unselectedcolor="3483939"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.tabs->geometry(), QRect(0, 573, 800, 27));
                        EXPECT_EQ(b.tabs->GetSelectedColor(), QColor(0x2F, 0x6F, 0xD0));
                        EXPECT_EQ(b.tabs->GetUnselectedColor(), QColor(0x23, 0x29, 0x35));
                    }},
        TLayoutCase{"TrackBarBoxOnly",
                    Layout(R"(<v object="TbsSkinTrackBar" id="trbVolume" align="alClient" visible="false" width="100" height="15" left="10" top="screenY"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.volume->geometry(), QRect(10, 800, 100, 15));
                        EXPECT_EQ(TAlignEngine::GetAlign(b.volume), TAlign::None);
                        EXPECT_FALSE(b.volume->isHidden());
                    }},
        TLayoutCase{"VisibleFalseHidesAndEndsTheElement",
                    Layout(R"(<p object="TPanel" id="paBox" visible="false" align="alTop" width="x"/>)"),
                    TSkinStop::None,
                    [](const TLayoutBench& b) {
                        EXPECT_TRUE(b.paBox->isHidden());
                        EXPECT_EQ(b.paBox->geometry(), QRect(10, 40, 100, 50));
                    }},
        TLayoutCase{"VisibleTrueDoesNotShowAHiddenControl",
                    Layout(R"(<i object="TImage" id="imgHidden" visible="true" align="alNone" width="1" height="1" left="0" top="0"/>)"),
                    TSkinStop::None, [](const TLayoutBench& b) { EXPECT_TRUE(b.imgHidden->isHidden()); }},
        TLayoutCase{"UnknownOrMissingObjectIsSkipped",
                    Layout(R"(<x object="TMemo" id="nothing"/><y id="paBox" width="x"/><z object="tpanel" id="paBox" width="x"/>
                              <p object="TPanel" id="paBox" align="alNone" width="3" height="3" left="3" top="3"/>)"),
                    TSkinStop::None, [](const TLayoutBench& b) { EXPECT_EQ(b.paBox->geometry(), QRect(3, 3, 3, 3)); }}),
    [](const ::testing::TestParamInfo<TLayoutCase>& info) { return std::string(info.param.name); });

// ---- Where the reading stops: what was applied stays, nothing after it is touched

INSTANTIATE_TEST_SUITE_P(
    Stops, TLayoutFile,
    ::testing::Values(
        TLayoutCase{"BadUnselectedTabColourKeepsTheSelectedOneReadBeforeIt",
                    Layout(R"(<t object="TTabSet" id="tabPages" align="alBottom" width="7" height="27" left="1" top="1" selectedcolor="$D06F2F" unselectedcolor="blue"/>)"),
                    TSkinStop::BadNumber,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.tabs->GetSelectedColor(), QColor(0x2F, 0x6F, 0xD0));
                        EXPECT_FALSE(b.tabs->GetUnselectedColor().has_value());
                    }},
        TLayoutCase{"LabelWithoutFontColourStopsBeforeThePanelAfterIt",
                    Layout(R"(<l object="TLabel" id="lbText" align="alNone" width="9" height="9" left="1" top="2" caption="applied" fontheight="-9" fontsize="-9"/>
                              <p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0" bgcolor="255"/>)"),
                    TSkinStop::BadNumber,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.lbText->text(), QStringLiteral("applied"));
                        EXPECT_EQ(b.paBox->geometry(), QRect(10, 40, 100, 50));
                        EXPECT_EQ(PanelColor(b.paBox), kDesignColor);
                    }},
        TLayoutCase{"UnknownId",
                    Layout(R"(<p object="TPanel" id="paNowhere" align="alNone" width="1" height="1" left="0" top="0"/>
                              <p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0"/>)"),
                    TSkinStop::UnknownControl, Untouched},
        TLayoutCase{"IdOfAnotherKind",
                    Layout(R"(<p object="TPanel" id="lbText" align="alNone" width="1" height="1" left="0" top="0"/>
                              <p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0"/>)"),
                    TSkinStop::WrongKind, Untouched},
        TLayoutCase{"ScreenXWhereOnlyIntegersGo",
                    Layout(R"(<b object="TButton" id="btnGo" align="alNone" width="screenX" height="1" left="0" top="0"/>)"),
                    TSkinStop::BadNumber,
                    [](const TLayoutBench& b) { EXPECT_EQ(b.btnGo->geometry(), QRect(30, 2, 34, 34)); }},
        TLayoutCase{"EmptyNumberAfterTheWidth",
                    Layout(R"(<p object="TPanel" id="paBox" align="alNone" width="60" height="" left="0" top="0"/>)"),
                    TSkinStop::BadNumber,
                    [](const TLayoutBench& b) { EXPECT_EQ(b.paBox->geometry(), QRect(10, 40, 60, 50)); }},
        TLayoutCase{"MissingPictureKeepsTheOldOneAndStops",
                    Layout(R"(<i object="TImage" id="imgPic" image="dot.png" align="alNone" width="1" height="1" left="0" top="0"/>
                              <i object="TImage" id="imgPic" image="gone.png" align="alNone" width="5" height="5" left="0" top="0"/>
                              <p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0"/>)"),
                    TSkinStop::MissingPicture,
                    [](const TLayoutBench& b) {
                        EXPECT_EQ(b.imgPic->GetPicture().size(), QSize(3, 2));
                        EXPECT_EQ(b.imgPic->size(), QSize(1, 1));
                        Untouched(b);
                    }},
        TLayoutCase{"BrokenFile", QByteArray(R"(<root><titleview fix="true" showpos="0"><p object="TPanel")"),
                    TSkinStop::BrokenXml,
                    [](const TLayoutBench& b) {
                        EXPECT_FALSE(b.state.m_bTitleViewFix);
                        Untouched(b);
                    }},
        TLayoutCase{"EncodingTheReaderCannotDecode",
                    QByteArray(R"(<?xml version="1.0" encoding="x-no-such-code"?>)") + Layout(""),
                    TSkinStop::BrokenXml, [](const TLayoutBench& b) { EXPECT_FALSE(b.state.m_bStatusViewFix); }},
        TLayoutCase{"OtherDocumentElement", QByteArray(R"(<layout><titleview fix="true" showpos="0"/></layout>)"),
                    TSkinStop::NoRoot, [](const TLayoutBench& b) { EXPECT_FALSE(b.state.m_bTitleViewFix); }}),
    [](const ::testing::TestParamInfo<TLayoutCase>& info) { return std::string(info.param.name); });

// ---- The views

struct TViewCase {
    const char* name;
    const char* file;
    TSkinStop stop;
    bool titleFix;
    int32_t showPos;
    bool centre;
    bool statusFix;
    int boxWidth;   // paBox's width after the reading
};

void PrintTo(const TViewCase& c, std::ostream* out)
{
    *out << c.name;
}

class TLayoutViews : public ::testing::TestWithParam<TViewCase> {};

TEST_P(TLayoutViews, AreReadTitlePlayStatusWhateverTheirOrder)
{
    const TViewCase& c = GetParam();
    TLayoutBench bench;
    const TSkinReadResult result = bench.ReadBytes(c.file);
    EXPECT_EQ(result.stop, c.stop) << result.where.toStdString();
    EXPECT_EQ(bench.state.m_bTitleViewFix, c.titleFix);
    EXPECT_EQ(bench.state.m_nShowPostion, c.showPos);
    EXPECT_EQ(bench.state.m_bPlayerViewCenterAlign, c.centre);
    EXPECT_EQ(bench.state.m_bStatusViewFix, c.statusFix);
    EXPECT_EQ(bench.paBox->width(), c.boxWidth);
}

#define BOX(width) R"(<p object="TPanel" id="paBox" align="alNone" width=")" #width R"(" height="1" left="0" top="0"/>)"

INSTANTIATE_TEST_SUITE_P(
    Views, TLayoutViews,
    ::testing::Values(
        // The status view comes first in the file but is read last: its description of the box wins.
        TViewCase{"StatusViewWrittenBeforeTitleView",
                  R"(<root><statusview fix="true">)" BOX(70) R"(</statusview><playview aligncenter="true">)" BOX(60)
                  R"(</playview><titleview fix="true" showpos="$10">)" BOX(50) R"(</titleview></root>)",
                  TSkinStop::None, true, 16, true, true, 70},
        TViewCase{"FixIsExactlyTrue",
                  R"(<root><titleview fix="True" showpos="-3"/><playview aligncenter="yes"/><statusview fix=" true"/></root>)",
                  TSkinStop::None, false, -3, false, false, 100},
        TViewCase{"MissingShowPosStopsBeforeAnyControl",
                  R"(<root><titleview fix="true">)" BOX(50) R"(</titleview><playview aligncenter="true"/><statusview fix="true"/></root>)",
                  TSkinStop::BadNumber, true, 0, false, false, 100},
        TViewCase{"MissingPlayViewKeepsTheTitleView",
                  R"(<root><titleview fix="true" showpos="1">)" BOX(50) R"(</titleview><statusview fix="true"/></root>)",
                  TSkinStop::NoView, true, 1, false, false, 50},
        TViewCase{"ViewsOnlyUnderRoot",
                  R"(<root><x><titleview fix="true" showpos="1"/></x></root>)", TSkinStop::NoView, false, 0, false, false,
                  100}),
    [](const ::testing::TestParamInfo<TViewCase>& info) { return std::string(info.param.name); });

#undef BOX

// ---- No file

TEST(TLayoutFileMissing, KeepsEverythingAndLeavesTheViewFlagsClear)
{
    TLayoutBench bench;
    const TSkinReadResult result = bench.ReadFile(bench.folder.filePath(QStringLiteral("absent.xml")));
    EXPECT_EQ(result.stop, TSkinStop::NoFile);
    EXPECT_FALSE(bench.state.m_bTitleViewFix || bench.state.m_bStatusViewFix || bench.state.m_bPlayerViewCenterAlign);
    Untouched(bench);
}

// ---- The reason of a stop is logged once, with the element and the attribute

std::vector<QString> g_listWarnings;

void KeepWarning(QtMsgType p_type, const QMessageLogContext&, const QString& p_sText)
{
    if (p_type == QtWarningMsg) {
        g_listWarnings.push_back(p_sText);
    }
}

TEST(TLayoutStop, IsLoggedOnceWithTheElementAndTheAttribute)
{
    TLayoutBench bench;
    g_listWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarning);
    const TSkinReadResult result = bench.ReadBytes(Layout(R"(
        <l object="TLabel" id="lbText" align="alNone" width="9" height="9" left="1" top="2" fontcolor="0" fontheight="-9" fontsize="-9"/>
        <l object="TLabel" id="lbText" align="alNone" width="9" height="9" left="1" top="2" fontheight="-9" fontsize="-9"/>)"));
    qInstallMessageHandler(previous);
    EXPECT_EQ(result.stop, TSkinStop::BadNumber);
    ASSERT_EQ(g_listWarnings.size(), 1u);
    for (const char* part : {"line 3", "TLabel", "lbText", "fontcolor"}) {
        EXPECT_TRUE(g_listWarnings.front().contains(QLatin1String(part))) << g_listWarnings.front().toStdString();
        EXPECT_TRUE(result.where.contains(QLatin1String(part))) << result.where.toStdString();
    }
}

// ---- Font heights: a negative one is the letters' size, a positive one the line's

TEST(TLayoutFontHeight, APositiveHeightIsTheLargestSizeWhoseLineFits)
{
    TLayoutBench bench;
    ASSERT_EQ(bench.ReadBytes(Layout(R"(<l object="TLabel" id="lbText" align="alNone" width="9" height="9" left="0" top="0" caption="c" fontcolor="0" fontheight="-12" fontsize="16"/>)"))
                  .stop,
              TSkinStop::None);
    QFont font = bench.lbText->font();
    const int size = font.pixelSize();
    EXPECT_LE(QFontMetrics(font).height(), 16);
    font.setPixelSize(size + 1);
    EXPECT_GT(QFontMetrics(font).height(), 16) << "size " << size << " is not the largest that fits";
}

// The reading counts the control elements it went through, so a caller can tell it reached the
// end of a long file.
TEST(TLayoutCount, CountsEveryControlElementItWentThrough)
{
    TLayoutBench bench;
    const TSkinReadResult result = bench.ReadBytes(Layout(R"(<x object="TMemo"/><!-- a note --><p object="TPanel" id="paBox" align="alNone" width="1" height="1" left="0" top="0"/>)"));
    EXPECT_EQ(result.stop, TSkinStop::None);
    EXPECT_EQ(result.controlsRead, 2);
}

} // namespace
