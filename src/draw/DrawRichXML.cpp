#include "draw/DrawRichXML.h"

#include "draw/XmlUtil.h"
#include "platform/Rounding.h"
#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPGraphics.h"
#include "session/CommDefine.h"

#include <cmath>

namespace {

const QString kTextNode = QStringLiteral("text");
const QString kTrue = QStringLiteral("true");
// Anti-aliased glyph edges may tint the pixel next to their box.
constexpr float kAntiAliasMargin = 2.0f;
// Text pictures above this size, or far off any board, are not kept: the text is then drawn
// straight onto the surface at every paint.
constexpr double kMaxTextCopyPixels = 2048.0 * 2048.0;
constexpr float kMaxTextCopyReach = 1.0e6f;

bool KeepsTextCopy(const TGPRectF& extent)
{
    return std::isfinite(extent.X) && std::isfinite(extent.Y) && std::fabs(extent.X) < kMaxTextCopyReach &&
           std::fabs(extent.Y) < kMaxTextCopyReach &&
           (static_cast<double>(extent.Width) + 2.0) * (static_cast<double>(extent.Height) + 2.0) <= kMaxTextCopyPixels;
}

// An attribute given as a decimal integer; absent or empty gives none; anything else fails.
bool ReadIntAttribute(const TXmlUtil& p_xml, const QString& p_strName, std::optional<int32_t>& p_value,
                      QString* p_pError)
{
    const QString text = p_xml.GetItem(kTextNode, p_strName);
    if (text.isEmpty()) {
        return true;
    }
    p_value = DecimalStrToInt(text);
    if (!p_value && p_pError != nullptr) {
        *p_pError = QStringLiteral("%1 \"%2\" is not an integer").arg(p_strName, text);
    }
    return p_value.has_value();
}

}  // namespace

TDrawRichXML::TDrawRichXML(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& p_strXMLPath)
    : TDrawParent(DrawType::RichXML, p_pbDraw, p_u32DrawNo),
      m_dpFontProperty(std::make_unique<TFontProperty>(true)),
      m_strXMLPath(p_strXMLPath)
{
}

TDrawRichXML::~TDrawRichXML() = default;

std::optional<TRichXMLContent> TDrawRichXML::ReadRichXML(const QString& p_strXMLPath, QString* p_pError)
{
    const TXmlUtil xml(p_strXMLPath);
    if (!xml.IsLoaded()) {
        if (p_pError != nullptr) {
            *p_pError = xml.GetErrorText();
        }
        return std::nullopt;
    }
    // Without a "root" nothing could be found; that is a broken file, not an empty block.
    if (!xml.HasRoot()) {
        if (p_pError != nullptr) {
            *p_pError = QStringLiteral("the top element is not \"root\"");
        }
        return std::nullopt;
    }
    TRichXMLContent content;
    content.fontFamily = xml.GetItem(kTextNode, QStringLiteral("fontfamily"));
    content.bold = xml.GetItem(kTextNode, QStringLiteral("bold")) == kTrue;
    content.italic = xml.GetItem(kTextNode, QStringLiteral("italic")) == kTrue;
    content.underline = xml.GetItem(kTextNode, QStringLiteral("underline")) == kTrue;
    if (!ReadIntAttribute(xml, QStringLiteral("fontsize"), content.fontSize, p_pError) ||
        !ReadIntAttribute(xml, QStringLiteral("colorindex"), content.colorIndex, p_pError) ||
        !ReadIntAttribute(xml, QStringLiteral("opacity"), content.opacity, p_pError)) {
        return std::nullopt;
    }
    content.text = xml.GetItem(kTextNode);
    return content;
}

std::unique_ptr<TDrawRichXML> TDrawRichXML::Create(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo,
                                                   const QString& p_strXMLPath, float p_fViewRatio, QString* p_pError)
{
    const std::optional<TRichXMLContent> content = ReadRichXML(p_strXMLPath, p_pError);
    if (!content) {
        return nullptr;
    }
    std::unique_ptr<TDrawRichXML> draw(new TDrawRichXML(p_pbDraw, p_u32DrawNo, p_strXMLPath));
    draw->LoadRichXML(*content, p_fViewRatio);
    return draw;
}

void TDrawRichXML::LoadRichXML(const TRichXMLContent& p_content, float p_fViewRatio)
{
    TFontProperty& font = *m_dpFontProperty;
    if (!p_content.fontFamily.isEmpty()) {
        font.SetFontFamily(p_content.fontFamily);
    }
    if (p_content.bold) {
        font.SetFontBold(true);
    }
    if (p_content.italic) {
        font.SetFontItalic(true);
    }
    if (p_content.underline) {
        font.SetFontUnderline(true);
    }
    if (p_content.fontSize) {
        // The size keeps the zoom of this moment; a later zoom does not change it.
        font.SetFontSize(static_cast<int>(RoundHalfEven(static_cast<double>(*p_content.fontSize) * p_fViewRatio)));
    }
    if (p_content.colorIndex) {
        font.SetFontColorIndex(*p_content.colorIndex);
    }
    if (p_content.opacity) {
        font.SetFontOpacity(*p_content.opacity);
    }
    m_strCotentText = p_content.text;
}

void TDrawRichXML::SetBounds(const TGPRectF& value)
{
    m_rtBounds = value;
}

// A font of no size (a size of 0 or below in the file) shows no text, rather than the default
// size the font falls back on.
bool TDrawRichXML::HasTextToDraw() const
{
    return !m_strCotentText.isEmpty() && !m_boolEdit && m_dpFontProperty && m_dpFontProperty->GetFontSize() > 0;
}

void TDrawRichXML::Draw(TGPGraphics& p_gGraphics)
{
    if (!HasTextToDraw()) {
        return;
    }
    const TGPRectF extent = GetPaintExtent();
    if (!(extent.Width > 0.0f && extent.Height > 0.0f)) {
        return;   // a font so large that its measures overflow: nothing sensible to draw
    }
    // A vector surface (a PDF) keeps the text as text.
    if (!KeepsTextCopy(extent) || p_gGraphics.IsVectorSurface()) {
        p_gGraphics.DrawString(m_strCotentText, -1, m_dpFontProperty->GetFont(), {m_rtBounds.X, m_rtBounds.Y},
                               m_dpFontProperty->GetFontBrush());
        return;
    }
    const float wholeX = std::floor(m_rtBounds.X);
    const float wholeY = std::floor(m_rtBounds.Y);
    const TTextCopy& copy =
        TextCopy(m_rtBounds.X - wholeX, m_rtBounds.Y - wholeY, p_gGraphics.GetSmoothingMode());
    p_gGraphics.DrawImage(*copy.image, wholeX + static_cast<float>(copy.left), wholeY + static_cast<float>(copy.top));
}

const TDrawRichXML::TTextCopy& TDrawRichXML::TextCopy(float p_fFractionX, float p_fFractionY,
                                                      TGPSmoothingMode p_enumSmoothing)
{
    const TTextLook look = CurrentLook();
    TTextCopy& copy = m_textCopy;
    if (copy.image && copy.look == look && copy.fractionX == p_fFractionX && copy.fractionY == p_fFractionY &&
        copy.smoothing == p_enumSmoothing) {
        return copy;
    }
    copy.look = look;
    copy.fractionX = p_fFractionX;
    copy.fractionY = p_fFractionY;
    copy.smoothing = p_enumSmoothing;
    // The picture covers the extent's pixels exactly, so nothing lands outside the extent.
    const TGPRectF extent = TextExtent();
    copy.left = static_cast<int>(std::floor(p_fFractionX + extent.X));
    copy.top = static_cast<int>(std::floor(p_fFractionY + extent.Y));
    const int right = static_cast<int>(std::ceil(p_fFractionX + extent.X + extent.Width));
    const int bottom = static_cast<int>(std::ceil(p_fFractionY + extent.Y + extent.Height));
    copy.image = std::make_unique<TGPBitmap>(right - copy.left, bottom - copy.top);
    TGPGraphics graphics(*copy.image);
    graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    graphics.SetSmoothingMode(p_enumSmoothing);
    graphics.DrawString(m_strCotentText, -1, m_dpFontProperty->GetFont(),
                        {p_fFractionX - static_cast<float>(copy.left), p_fFractionY - static_cast<float>(copy.top)},
                        m_dpFontProperty->GetFontBrush());
    return copy;
}

void TDrawRichXML::Dispose()
{
    if (m_dpFontProperty) {
        m_dpFontProperty->Dispose();
        m_dpFontProperty.reset();
    }
    m_strCotentText.clear();
    m_textCopy.image.reset();
    m_extentLook.reset();
    TDrawParent::Dispose();
}

TGPRectF TDrawRichXML::GetPaintExtent() const
{
    if (!HasTextToDraw()) {
        return {};
    }
    const TGPRectF extent = TextExtent();
    return {m_rtBounds.X + extent.X, m_rtBounds.Y + extent.Y, extent.Width, extent.Height};
}

TDrawRichXML::TTextLook TDrawRichXML::CurrentLook() const
{
    const TFontProperty& font = *m_dpFontProperty;
    return {font.GetFontFamily(), font.GetFontSize(),
            GetFontStyle(font.GetFontBold(), font.GetFontItalic(), font.GetFontUnderline()), font.GetFontColor()};
}

TGPRectF TDrawRichXML::TextExtent() const
{
    const TTextLook look = CurrentLook();
    if (m_extentLook == look) {
        return m_rtTextExtent;
    }
    // Measured on a picture, as the board is: the same resolution turns points into pixels.
    TGPBitmap probe(1, 1);
    const TGPGraphics graphics(probe);
    const TGPFont& font = m_dpFontProperty->GetFont();
    const TGPRectF text = graphics.MeasureString(m_strCotentText, -1, font, {0.0f, 0.0f});
    const float lineHeight = graphics.MeasureString(QString(), -1, font, {0.0f, 0.0f}).Height;
    const float margin = std::ceil(lineHeight / 2.0f) + kAntiAliasMargin;
    m_rtTextExtent = InflateRectF(text, margin, margin);
    m_extentLook = look;
    return m_rtTextExtent;
}
