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
    m_rtTextExtent.reset();
}

void TDrawRichXML::SetBold(bool value)
{
    m_dpFontProperty->SetFontBold(value);
    m_rtTextExtent.reset();
}

void TDrawRichXML::SetItalic(bool value)
{
    m_dpFontProperty->SetFontItalic(value);
    m_rtTextExtent.reset();
}

void TDrawRichXML::SetUnderline(bool value)
{
    m_dpFontProperty->SetFontUnderline(value);
    m_rtTextExtent.reset();
}

void TDrawRichXML::SetFontSize(int value)
{
    m_dpFontProperty->SetFontSize(value);
    m_rtTextExtent.reset();
}

void TDrawRichXML::SetBounds(const TGPRectF& value)
{
    m_rtBounds = value;
}

void TDrawRichXML::Draw(TGPGraphics& p_gGraphics)
{
    if (m_strCotentText.isEmpty() || m_boolEdit || !m_dpFontProperty) {
        return;
    }
    p_gGraphics.DrawString(m_strCotentText, -1, m_dpFontProperty->GetFont(), {m_rtBounds.X, m_rtBounds.Y},
                           m_dpFontProperty->GetFontBrush());
}

void TDrawRichXML::Dispose()
{
    if (m_dpFontProperty) {
        m_dpFontProperty->Dispose();
        m_dpFontProperty.reset();
    }
    m_strCotentText.clear();
    m_rtTextExtent.reset();
    TDrawParent::Dispose();
}

TGPRectF TDrawRichXML::GetPaintExtent() const
{
    if (m_strCotentText.isEmpty() || m_boolEdit || !m_dpFontProperty) {
        return {};
    }
    if (!m_rtTextExtent) {
        m_rtTextExtent = MeasureTextExtent();
    }
    return {m_rtBounds.X + m_rtTextExtent->X, m_rtBounds.Y + m_rtTextExtent->Y, m_rtTextExtent->Width,
            m_rtTextExtent->Height};
}

TGPRectF TDrawRichXML::MeasureTextExtent() const
{
    // Measured on a picture, as the board is: the same resolution turns points into pixels.
    TGPBitmap probe(1, 1);
    const TGPGraphics graphics(probe);
    const TGPFont& font = m_dpFontProperty->GetFont();
    const TGPRectF text = graphics.MeasureString(m_strCotentText, -1, font, {0.0f, 0.0f});
    const float lineHeight = graphics.MeasureString(QString(), -1, font, {0.0f, 0.0f}).Height;
    const float margin = std::ceil(lineHeight / 2.0f) + kAntiAliasMargin;
    return InflateRectF(text, margin, margin);
}
