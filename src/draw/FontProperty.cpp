#include "draw/FontProperty.h"

#include "session/CommDefine.h"

QString DefaultFontFamily()
{
    return QStringLiteral("굴림");
}

TFontProperty::TFontProperty(bool p_boolGDIUse) : m_boolGDIUse(p_boolGDIUse), m_strFontFamily(DefaultFontFamily()) {}

void TFontProperty::SetFontBold(bool value)
{
    m_boolFontBold = value;
    RebuildFont();
}

void TFontProperty::SetFontItalic(bool value)
{
    m_boolFontItalic = value;
    RebuildFont();
}

void TFontProperty::SetFontUnderline(bool value)
{
    m_boolFontUnderline = value;
    RebuildFont();
}

void TFontProperty::SetFontSize(int value)
{
    m_nFontSize = value;
    RebuildFont();
}

void TFontProperty::SetFontFamily(const QString& value)
{
    m_strFontFamily = value;
    RebuildFont();
}

void TFontProperty::SetFontColorIndex(int value)
{
    m_nFontColorIndex = value;
    RefreshFontBrush();
}

void TFontProperty::SetFontOpacity(int value)
{
    m_nFontOpacity = value;
    RefreshFontBrush();
}

int TFontProperty::GetFontAlpha() const
{
    return OpacityToAlpha(m_nFontOpacity);
}

TGPColor TFontProperty::GetFontColor() const
{
    return GetIndexColor(GetFontAlpha(), m_nFontColorIndex);
}

std::unique_ptr<TGPFont> TFontProperty::GetNewFont() const
{
    return std::make_unique<TGPFont>(m_strFontFamily, static_cast<float>(m_nFontSize),
                                     GetFontStyle(m_boolFontBold, m_boolFontItalic, m_boolFontUnderline));
}

std::unique_ptr<TGPSolidBrush> TFontProperty::GetNewFontBrush() const
{
    return std::make_unique<TGPSolidBrush>(GetFontColor());
}

const TGPFont& TFontProperty::GetFont()
{
    if (!m_fontFont) {
        m_fontFont = GetNewFont();
    }
    return *m_fontFont;
}

const TGPSolidBrush& TFontProperty::GetFontBrush()
{
    if (!m_brushFontBrush) {
        m_brushFontBrush = GetNewFontBrush();
    }
    return *m_brushFontBrush;
}

void TFontProperty::Dispose()
{
    m_fontFont.reset();
    m_brushFontBrush.reset();
}

void TFontProperty::RebuildFont()
{
    m_fontFont.reset();
    if (m_boolGDIUse) {
        m_fontFont = GetNewFont();
    }
}

void TFontProperty::RefreshFontBrush()
{
    if (!m_boolGDIUse) {
        m_brushFontBrush.reset();
        return;
    }
    if (!m_brushFontBrush) {
        m_brushFontBrush = GetNewFontBrush();
    }
    m_brushFontBrush->SetColor(GetFontColor());
}
