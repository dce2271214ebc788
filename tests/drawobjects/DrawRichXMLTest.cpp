// Rich text: how a ".rxm" file is read (lines, the rewrite, "root" then "text", attributes and
// their defaults, the content as written), the files that create nothing, and the drawing from
// the box's top-left with a paint extent that holds every glyph.

#include "draw/DrawRichXML.h"
#include "draw/XmlUtil.h"
#include "draw/DrawTestSupport.h"

#include "session/CommDefine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A text element with these attributes and this content, in a file shaped as the reader expects.
QByteArray RxmOf(const QString& attributes, const QString& content)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n<text %1>%2</text>\n</root>\n")
        .arg(attributes, content)
        .toUtf8();
}

// Pixels whose alpha differs by more than a shade.
int StronglyDifferingPixels(const TGPImage& a, const TGPImage& b)
{
    int count = 0;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            count += std::abs(AlphaAt(a, x, y) - AlphaAt(b, x, y)) > 8 ? 1 : 0;
        }
    }
    return count;
}

class DrawRichXMLTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("%1.rxm").arg(++m_nFiles));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    std::unique_ptr<TDrawRichXML> Make(const QByteArray& bytes, float ratio = 1.0f, QString* error = nullptr)
    {
        return TDrawRichXML::Create(nullptr, 5, Write(bytes), ratio, error);
    }

    QTemporaryDir m_dir;
    int m_nFiles = 0;
};

TEST_F(DrawRichXMLTest, LinesAreJoinedWithCrLfAfterEveryLine)
{
    struct Case {
        QByteArray file;
        QString text;
    };
    const Case cases[] = {
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb\n\nc", "a\r\nb\r\n\r\nc\r\n"},
        {"\xEF\xBB\xBF" "x", "x\r\n"},                         // the byte-order mark is not text
        {"\xED\x95\x9C\xEA\xB8\x80", QStringLiteral("한글\r\n")},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(TXmlUtil::ReadLines(Write(c.file)), c.text);
    }
    EXPECT_FALSE(TXmlUtil::ReadLines(m_dir.filePath("missing.rxm")).has_value());
}

TEST_F(DrawRichXMLTest, RewriteStepsInOrder)
{
    struct Case {
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"<text a=\"1\">x</text>", "<text a=\"1\"><![CDATA[x]]></text>"},
        // Sections written in the file are dropped first, the content's too.
        {"<text a=\"1\"><![CDATA[x]]></text>", "<text a=\"1\"><![CDATA[x]]></text>"},
        {"<text a=\"1\">a]]>b<![CDATA[c</text>", "<text a=\"1\"><![CDATA[abc]]></text>"},
        // Only the first quote before '>' opens, only the first end tag closes.
        {"<r b=\"2\"><text a=\"1\">x</text></text>", "<r b=\"2\"><![CDATA[<text a=\"1\">x]]></text></text>"},
        {"<text a='1'>x</text>", "<text a='1'>x]]></text>"},
        {"<text>x", "<text>x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TXmlUtil::Rewrite(c.in), c.out) << c.in.toStdString();
    }
}

TEST_F(DrawRichXMLTest, AttributesAndTheirDefaults)
{
    struct Case {
        const char* attributes;
        float ratio;
        int size;
        bool bold, italic, underline;
        int colorIndex, opacity;
        QString family;
    };
    const Case cases[] = {
        {"a=\"\"", 2.0f, 9, false, false, false, 6, 100, "굴림"},          // no fontsize: 9, not scaled
        {"fontsize=\"15\"", 1.5f, 22, false, false, false, 6, 100, "굴림"},  // 22.5 to the even 22
        {"fontsize=\"13\"", 1.5f, 20, false, false, false, 6, 100, "굴림"},  // 19.5 to the even 20
        {"fontsize=\"12\"", 1.5f, 18, false, false, false, 6, 100, "굴림"},
        {"fontsize=\"\" colorindex=\"\" opacity=\"\" fontfamily=\"\"", 1.0f, 9, false, false, false, 6, 100, "굴림"},
        {"bold=\"true\" italic=\"true\" underline=\"true\"", 1.0f, 9, true, true, true, 6, 100, "굴림"},
        {"bold=\"True\" italic=\"1\" underline=\"TRUE\"", 1.0f, 9, false, false, false, 6, 100, "굴림"},
        {"bold=\" true\" italic=\"yes\"", 1.0f, 9, false, false, false, 6, 100, "굴림"},
        {"fontfamily=\"NanumGothic\" colorindex=\"18\" opacity=\"30\"", 1.0f, 9, false, false, false, 18, 30,
         "NanumGothic"},
        {"colorindex=\"-3\" opacity=\"250\"", 1.0f, 9, false, false, false, -3, 250, "굴림"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        QString error;
        const auto text = Make(RxmOf(c.attributes, "x"), c.ratio, &error);
        ASSERT_NE(text, nullptr) << error.toStdString();
        EXPECT_EQ(text->GetFontSize(), c.size);
        EXPECT_EQ(text->GetFontProperty().GetFont().GetSize(), static_cast<float>(c.size));
        EXPECT_EQ(text->GetBold(), c.bold);
        EXPECT_EQ(text->GetItalic(), c.italic);
        EXPECT_EQ(text->GetUnderline(), c.underline);
        EXPECT_EQ(text->GetFontColorIndex(), c.colorIndex);
        EXPECT_EQ(text->GetFontProperty().GetFontOpacity(), c.opacity);
        EXPECT_EQ(text->GetFontProperty().GetFontFamily(), c.family);
        EXPECT_EQ(text->GetDrawType(), DrawType::RichXML);
    }
}

TEST_F(DrawRichXMLTest, ContentIsShownAsWritten)
{
    struct Case {
        QString content;
        QString shown;
    };
    const Case cases[] = {
        {"x < y && z > 0", "x < y && z > 0"},
        {"&amp; &lt;b&gt; &#44032;", "&amp; &lt;b&gt; &#44032;"},       // entity references stay
        {"\n첫 줄은 비어 있음", "\n첫 줄은 비어 있음"},                  // a break after the start tag
        {"  둘\n 셋  \n", "  둘\n 셋  \n"},                              // spaces and breaks stay
        {"<b>bold?</b>", "<b>bold?</b>"},
        {"a<![CDATA[b]]>c", "abc"},                                       // written sections dropped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        QString error;
        const auto text = Make(RxmOf("fontsize=\"12\"", c.content), 1.0f, &error);
        ASSERT_NE(text, nullptr) << error.toStdString();
        QString shown = text->GetContentText();
        shown.replace("\r\n", "\n");
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(DrawRichXMLTest, DeclaredEncodingAndByteOrderMarkChangeNothing)
{
    const QByteArray body = QStringLiteral("<root><text a=\"1\">가나다</text></root>").toUtf8();
    for (const QByteArray& file : {"\xEF\xBB\xBF" + body, "<?xml version=\"1.0\" encoding=\"EUC-KR\"?>" + body}) {
        const auto text = Make(file);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetContentText(), QStringLiteral("가나다"));
    }
}

TEST_F(DrawRichXMLTest, FilesThatCreateNothing)
{
    struct Case {
        QByteArray file;
        const char* reason;   // part of the error text
    };
    const Case cases[] = {
        {"<page><text a=\"1\">x</text></page>", "root"},
        {"<root><text a=\"1\">x</text>", "well-formed"},
        {"", "well-formed"},
        {"<root><text a='1'>x</text></root>", "well-formed"},   // no quote before '>': "]]>" stray
        {RxmOf("fontsize=\"12pt\"", "x"), "fontsize"},
        {RxmOf("fontsize=\"1.5\"", "x"), "fontsize"},
        {RxmOf("colorindex=\"0x10\"", "x"), "colorindex"},
        {RxmOf("opacity=\"abc\"", "x"), "opacity"},
        {RxmOf("fontsize=\"99999999999\"", "x"), "fontsize"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        QString error;
        EXPECT_EQ(Make(c.file, 1.0f, &error), nullptr);
        EXPECT_TRUE(error.contains(c.reason)) << error.toStdString();
        QString readError;
        EXPECT_FALSE(TDrawRichXML::ReadRichXML(Write(c.file), &readError).has_value());
        EXPECT_EQ(readError, error);
    }
    QString error;
    EXPECT_EQ(TDrawRichXML::Create(nullptr, 1, m_dir.filePath("missing.rxm"), 1.0f, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DrawRichXMLTest, NoTextElementOrNoContentDrawsNothing)
{
    const QByteArray files[] = {
        "<root><other a='1'>x</other></root>",
        "<root><text a=\"1\"></text></root>",
        "<root/>",
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.toStdString());
        const auto text = Make(file);
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->GetContentText().isEmpty());
        text->SetBounds({10, 10, 100, 40});
        const TGPBitmap board = Render(200, 100, [&](TGPGraphics& g) { text->Draw(g); });
        EXPECT_TRUE(AllPaintInside(board, {0, 0, 0, 0}));
        EXPECT_EQ(text->GetPaintExtent().Width, 0);
    }
}

// A font size of 0 or below shows no text at any zoom, rather than text at the font's default size.
TEST_F(DrawRichXMLTest, FontSizeOfZeroOrBelowDrawsNothing)
{
    struct Case {
        const char* size;
        float ratio;
        bool drawn;
    };
    for (const Case c : {Case{"0", 1.0f, false}, Case{"-3", 1.0f, false}, Case{"0", 2.0f, false}, Case{"1", 1.0f, true}}) {
        SCOPED_TRACE(std::string(c.size) + " at " + std::to_string(c.ratio));
        const auto text = Make(RxmOf(QStringLiteral("fontsize=\"%1\"").arg(QLatin1String(c.size)), "■■ text"), c.ratio);
        ASSERT_NE(text, nullptr);
        text->SetBounds({10, 10, 100, 40});
        const TGPBitmap board = Render(300, 100, [&](TGPGraphics& g) { text->Draw(g); });
        EXPECT_EQ(!AllPaintInside(board, {0, 0, 0, 0}), c.drawn);
        EXPECT_EQ(text->GetPaintExtent().Width > 0, c.drawn);
    }
}

TEST_F(DrawRichXMLTest, StyledTextAtTheZoomOfCreation)
{
    const auto text = Make(RxmOf("fontfamily=\"굴림\" bold=\"true\" fontsize=\"12\" colorindex=\"61\" opacity=\"50\"",
                                 "■■■"),
                           1.5f);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->GetBold());
    EXPECT_EQ(text->GetFontSize(), 18);
    EXPECT_EQ(text->GetFontProperty().GetFontColor(), 0x80FF0000u);
    EXPECT_EQ(text->GetFontProperty().GetFontBrush().GetColor(), 0x80FF0000u);
    text->SetBounds({20, 20, 10, 10});
    const TGPBitmap board = Render(300, 100, [&](TGPGraphics& g) { text->Draw(g); });
    // The middle of the first square: red at half opacity.
    int reddest = 0;
    for (int x = 20; x < 60; ++x) {
        const TGPColor pixel = board.GetPixel(x, 35);
        if ((pixel & 0xFFFFFF) == 0xFF0000) {
            reddest = std::max(reddest, static_cast<int>(pixel >> 24));
        }
    }
    EXPECT_NEAR(reddest, 128, 1);
}

TEST_F(DrawRichXMLTest, DrawnFromTheTopLeftNeitherWrappedNorClipped)
{
    const char* styles[] = {
        "fontsize=\"14\"",
        "fontsize=\"20\" bold=\"true\" italic=\"true\" underline=\"true\"",
        "fontsize=\"11\" italic=\"true\" fontfamily=\"NanumGothic\"",
        "fontsize=\"30\" fontfamily=\"DejaVu Serif\" italic=\"true\"",
    };
    for (const char* style : styles) {
        SCOPED_TRACE(style);
        const auto text = Make(RxmOf(style, "정리: (x + 1)² = x² + 2x + 1\nfjy식 & 넓이: Ag|_ 값!\n\nWWW ffff jjj"), 1.0f);
        ASSERT_NE(text, nullptr);
        text->SetBounds({40.4f, 30.6f, 60, 20});   // far narrower and lower than the text
        const TGPBitmap board = Render(900, 400, [&](TGPGraphics& g) { text->Draw(g); });
        // Past the box's right edge and below it: not wrapped, not clipped.
        bool pastRight = false;
        bool below = false;
        int left = board.GetWidth();
        int top = board.GetHeight();
        for (int y = 0; y < board.GetHeight(); ++y) {
            for (int x = 0; x < board.GetWidth(); ++x) {
                if (Painted(board, x, y)) {
                    pastRight = pastRight || x > 100;
                    below = below || y > 50;
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
            }
        }
        EXPECT_TRUE(pastRight);
        EXPECT_TRUE(below);
        EXPECT_GE(left, 36);   // starts at the box's left (italic overhang, anti-aliasing)
        EXPECT_GE(top, 30);
        EXPECT_LE(top, 42);
        // The text straight from the font: every glyph pixel lies in the extent, and the
        // object's drawing (through its text picture) shows the same pixels.
        const TGPBitmap direct = Render(900, 400, [&](TGPGraphics& g) {
            g.DrawString(text->GetContentText(), -1, text->GetFontProperty().GetFont(), {40.4f, 30.6f},
                         text->GetFontProperty().GetFontBrush());
        });
        EXPECT_TRUE(AllPaintInside(direct, text->GetPaintExtent()));
        EXPECT_LE(StronglyDifferingPixels(board, direct), 0);
        EXPECT_FALSE(text->HitTest({150, 35}));   // on the text, outside the box
        EXPECT_TRUE(text->HitTest({100, 50}));
        // The extent moves with the box and leaves the paint bounds alone.
        const TGPRectF extent = text->GetPaintExtent();
        text->SetBounds({140.4f, 130.6f, 60, 20});
        EXPECT_NEAR(text->GetPaintExtent().X, extent.X + 100, 1e-4);
        EXPECT_NEAR(text->GetPaintExtent().Y, extent.Y + 100, 1e-4);
        EXPECT_EQ(text->GetPaintBounds().Width, 0);
    }
}

TEST_F(DrawRichXMLTest, FontChangesRemeasureTheExtent)
{
    const auto text = Make(RxmOf("fontsize=\"10\"", "some text"));
    ASSERT_NE(text, nullptr);
    text->SetBounds({0, 0, 10, 10});
    const float small = text->GetPaintExtent().Width;
    text->SetFontSize(30);
    EXPECT_GT(text->GetPaintExtent().Width, 2.5f * small);
    text->Dispose();
    EXPECT_EQ(text->GetPaintExtent().Width, 0);
    EXPECT_TRUE(text->GetContentText().isEmpty());
}

} // namespace
