// The font holder of rich text: its defaults, the cached font and brush, and how a change reaches
// them with and without m_boolGDIUse.

#include "draw/FontProperty.h"

#include "session/CommDefine.h"

#include <gtest/gtest.h>

namespace {

TEST(FontPropertyTest, Defaults)
{
    TFontProperty font(true);
    EXPECT_FALSE(font.GetFontBold());
    EXPECT_FALSE(font.GetFontItalic());
    EXPECT_FALSE(font.GetFontUnderline());
    EXPECT_EQ(font.GetFontSize(), 9);
    EXPECT_EQ(font.GetFontFamily(), QStringLiteral("굴림"));
    EXPECT_EQ(font.GetFontColorIndex(), 6);
    EXPECT_EQ(font.GetFontOpacity(), 100);
    EXPECT_EQ(font.GetFontAlpha(), 255);
    EXPECT_EQ(font.GetFontColor(), GetIndexColor(255, 6));
    EXPECT_EQ(font.GetFont().GetSize(), 9.0f);
    EXPECT_EQ(font.GetFont().GetStyle(), 0);
}

TEST(FontPropertyTest, ChangesReachTheCachedFontAndBrush)
{
    for (const bool gdiUse : {true, false}) {
        SCOPED_TRACE(gdiUse);
        TFontProperty font(gdiUse);
        const TGPSolidBrush* brush = &font.GetFontBrush();
        EXPECT_EQ(font.GetFont().GetSize(), 9.0f);
        font.SetFontSize(18);
        font.SetFontBold(true);
        font.SetFontUnderline(true);
        font.SetFontColorIndex(61);
        font.SetFontOpacity(50);
        EXPECT_EQ(font.GetFont().GetSize(), 18.0f);
        EXPECT_EQ(font.GetFont().GetStyle(), GetFontStyle(true, false, true));
        EXPECT_EQ(font.GetFontBrush().GetColor(), GetIndexColor(128, 61));
        if (gdiUse) {
            EXPECT_EQ(&font.GetFontBrush(), brush);   // recoloured, not replaced
        }
    }
}

TEST(FontPropertyTest, NewFontAndBrushBelongToTheCaller)
{
    TFontProperty font(true);
    font.SetFontItalic(true);
    const std::unique_ptr<TGPFont> own = font.GetNewFont();
    EXPECT_NE(own.get(), &font.GetFont());
    EXPECT_EQ(own->GetStyle(), 2);
    font.Dispose();
    EXPECT_EQ(own->GetStyle(), 2);
    EXPECT_EQ(font.GetFont().GetStyle(), 2);   // made again after Dispose
}

} // namespace
