#include "session/CommDefine.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// Time helpers

TEST(CommDefine, FormatPlayTimeRoundsSecondsHalfToEvenAndNeverWrapsMinutes)
{
    const struct {
        uint32_t ms;
        const char* text;
    } cases[] = {
        {0, "00 : 00"},        {500, "00 : 00"},       {1500, "00 : 02"},     {2500, "00 : 02"},
        {65000, "01 : 05"},    {59500, "01 : 00"},     {59499, "00 : 59"},    {600000, "10 : 00"},
        {6000000, "100 : 00"}, {4294967295u, "71582 : 47"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatPlayTime(c.ms), QString::fromLatin1(c.text)) << c.ms;
    }
}

TEST(CommDefine, MilliSecondsToFrameNoRoundsHalfToEven)
{
    const struct {
        uint32_t ms;
        int32_t frame;
    } cases[] = {{0, 0}, {17, 0}, {18, 0}, {19, 1}, {54, 2}, {72, 2}, {90, 2}, {126, 4}, {36000, 1000}};
    for (const auto& c : cases) {
        EXPECT_EQ(MilliSecondsToFrameNo(c.ms), c.frame) << c.ms;
    }
}

TEST(CommDefine, PackedPartsSplitThousandsAndRest)
{
    const struct {
        float value;
        uint8_t high;
        uint8_t low;
    } cases[] = {{1005.0f, 1, 5}, {12.0f, 0, 12}, {3001.0f, 3, 1}, {0.0f, 0, 0}, {70499.0f, 70, 499 & 0xFF},
                 {2500.0f, 2, 244}};   // 2.5 rounds to 2; 500 keeps its low 8 bits
    for (const auto& c : cases) {
        EXPECT_EQ(PackedHighPart(c.value), c.high) << c.value;
        EXPECT_EQ(PackedLowPart(c.value), c.low) << c.value;
    }
}

// ---------------------------------------------------------------------------------------------
// Packet record

TEST(CommDefine, PacketRecordReadsItsLittleEndianImageAndIgnoresNothingOnTheWayBack)
{
    const std::array<unsigned char, 32> image = {
        4,    0xAA, 0xBB, 0xCC,             // PacketType, padding
        0xFF, 0xFF, 0xFF, 0xFF,             // FrameNo -1
        0x2A, 0x01, 0x00, 0x00,             // DrawNo 298
        7,    0xDD,                         // ByteParam, padding
        0x34, 0x12,                         // Byte2Param 0x1234
        0x00, 0x00, 0xC8, 0x42,             // 100.0f
        0x00, 0x00, 0x20, 0x42,             // 40.0f
        0x00, 0x00, 0x80, 0xBF,             // -1.0f
        0x00, 0x00, 0x00, 0x3F,             // 0.5f
    };
    const TPacketItem item = PacketItemFromBytes(image.data());
    EXPECT_EQ(item.PacketType, 4);
    EXPECT_EQ(item.FrameNo, -1);
    EXPECT_EQ(item.DrawNo, 298u);
    EXPECT_EQ(item.ByteParam, 7);
    EXPECT_EQ(item.Byte2Param, 0x1234);
    EXPECT_EQ(item.FloatParam1, 100.0f);
    EXPECT_EQ(item.FloatParam2, 40.0f);
    EXPECT_EQ(item.FloatParam3, -1.0f);
    EXPECT_EQ(item.FloatParam4, 0.5f);

    std::array<unsigned char, 32> back{};
    PacketItemToBytes(item, back.data());
    EXPECT_EQ(back, image);
}

// ---------------------------------------------------------------------------------------------
// ReadFirstLine

TEST(CommDefine, ReadFirstLineTakesTheEncodingFromTheByteOrderMark)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString korean = QStringLiteral("A&학교&사용자&1&0&0");
    const struct {
        const char* name;
        QByteArray bytes;
        std::optional<QString> line;
    } cases[] = {
        {"utf8-no-bom", korean.toUtf8() + "\r\nsecond", korean},
        {"utf8-bom", "\xEF\xBB\xBF" + korean.toUtf8() + "\nsecond", korean},
        {"utf16le-bom",
         QByteArray("\xFF\xFE", 2) +
             QByteArray(reinterpret_cast<const char*>(korean.utf16()), korean.size() * 2) +
             QByteArray("\r\0\n\0", 4),
         korean},
        {"lone-cr", "first\rsecond", QStringLiteral("first")},
        {"empty-first-line", "\r\nsecond", QString()},
        {"no-line-end", "only", QStringLiteral("only")},
        {"empty-file", "", std::nullopt},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(ReadFirstLine(path), c.line) << c.name;
    }
    EXPECT_EQ(ReadFirstLine(dir.filePath(QStringLiteral("missing"))), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Numbers in text

TEST(CommDefine, IntegerTextsInRunTimeAndDecimalNotation)
{
    const struct {
        const char* text;
        std::optional<int32_t> any;        // StrToInt
        std::optional<int32_t> decimal;    // DecimalStrToInt
    } cases[] = {
        {"12", 12, 12},
        {"-12", -12, -12},
        {"+7", 7, 7},
        {"007", 7, 7},
        {"2147483647", 2147483647, 2147483647},
        {"-2147483648", INT32_MIN, INT32_MIN},
        {"2147483648", std::nullopt, std::nullopt},
        {"99999999999999999999", std::nullopt, std::nullopt},
        {"$1F", 31, std::nullopt},
        {"0x10", 16, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt},
        {"1 ", std::nullopt, std::nullopt},
        {"1.5", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},
        {"\xEF\xBC\x91", std::nullopt, std::nullopt},   // full-width digit one
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(StrToInt(text), c.any) << c.text;
        EXPECT_EQ(DecimalStrToInt(text), c.decimal) << c.text;
    }
}

TEST(CommDefine, ScreenValueNamesTheScreenOrIsAnInteger)
{
    EXPECT_EQ(GetScreenValue(QStringLiteral("screenX"), 1920, 1080), 1920);
    EXPECT_EQ(GetScreenValue(QStringLiteral("screenY"), 1920, 1080), 1080);
    EXPECT_EQ(GetScreenValue(QStringLiteral("-30"), 1920, 1080), -30);
    EXPECT_EQ(GetScreenValue(QStringLiteral("screenx"), 1920, 1080), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Study mode

TEST(CommDefine, OnlyStudyModeAIsSupervised)
{
    const TStudyInfo saved = g_studyInfo;
    for (const char* mode : {"A", "R", "a", "", "AA"}) {
        g_studyInfo.study_mode = QString::fromLatin1(mode);
        EXPECT_EQ(IsSupervisedStudy(), std::strcmp(mode, "A") == 0) << mode;
    }
    g_studyInfo = saved;
}

// ---------------------------------------------------------------------------------------------
// Rectangles, colours, widths

TEST(CommDefine, UnsetRectangleIsRecognisedByAnyMarkedField)
{
    TGPRectF rect{1, 2, 3, 4};
    EXPECT_FALSE(IsUnsetRect(rect));
    InitUnsetRect(rect);
    EXPECT_TRUE(IsUnsetRect(rect));
    EXPECT_EQ(rect.X, -2000.0f);
    EXPECT_TRUE(IsUnsetRect(TGPRectF{0, 0, -2000.0f, 5}));
}

TEST(CommDefine, PointInRectangleCountsTheEdges)
{
    const TGPRectF rect{10, 10, 20, 10};
    EXPECT_TRUE(PtInRectF({10, 10}, rect));
    EXPECT_TRUE(PtInRectF({30, 20}, rect));
    EXPECT_FALSE(PtInRectF({30.01f, 20}, rect));
    EXPECT_EQ(InflateRectF(rect, 2, 3), (TGPRectF{8, 7, 24, 16}));
}

TEST(CommDefine, CrossPointOfSegments)
{
    EXPECT_EQ(GetCrossPoint({0, 0}, {10, 10}, {0, 10}, {10, 0}), (TGPPointF{5, 5}));
    EXPECT_EQ(GetCrossPoint({0, 0}, {10, 0}, {10, 0}, {10, 5}), (TGPPointF{10, 0}));   // touching ends
    EXPECT_EQ(GetCrossPoint({0, 0}, {10, 0}, {0, 1}, {10, 1}), (TGPPointF{0, 0}));     // parallel
    EXPECT_EQ(GetCrossPoint({0, 0}, {1, 1}, {5, 0}, {5, 10}), (TGPPointF{0, 0}));      // apart
}

TEST(CommDefine, PaletteColoursOpacityAndThickness)
{
    EXPECT_EQ(GetIndexColor(255, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetIndexColor(128, 61), 0x80FF0000u);
    EXPECT_EQ(GetIndexColor(255, 70), 0xFF000000u);    // outside the palette: black
    EXPECT_EQ(GetIndexColor(256 + 16, -1), 0x10000000u);
    EXPECT_EQ(OpacityToAlpha(50), 128);                // 127.5 ties to even
    EXPECT_EQ(OpacityToAlpha(30), 76);                 // 76.5 ties to even
    EXPECT_EQ(OpacityToAlpha(150), 255);
    EXPECT_EQ(OpacityToAlpha(-5), 0);
    EXPECT_EQ(GetThicknessWidth(1), 1.6f);
    EXPECT_EQ(GetThicknessWidth(4), 10.0f);
    EXPECT_EQ(GetThicknessWidth(0), 2.5f);
}

TEST(CommDefine, LayoutNamesToNumbers)
{
    EXPECT_EQ(GetAlignType(QStringLiteral("alTop")), 1);
    EXPECT_EQ(GetAlignType(QStringLiteral("alCustom")), 6);
    EXPECT_EQ(GetAlignType(QStringLiteral("altop")), 0);
    EXPECT_EQ(GetFontStyle(true, false, true), 5);
}
