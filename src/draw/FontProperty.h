#pragma once
// The font and colour of a rich text block: family, size in points, bold / italic / underline,
// palette colour and opacity. It keeps a font and a brush made from them; with m_boolGDIUse every
// change rebuilds the font or recolours the brush at once, otherwise a change drops the cached
// object and the next use makes it afresh.

#include "platform/graphics/GPFont.h"
#include "platform/graphics/GPSolidBrush.h"
#include "platform/graphics/GPTypes.h"

#include <QString>

#include <memory>

class TFontProperty {
public:
    explicit TFontProperty(bool p_boolGDIUse);

    bool GetFontBold() const { return m_boolFontBold; }
    void SetFontBold(bool value);
    bool GetFontItalic() const { return m_boolFontItalic; }
    void SetFontItalic(bool value);
    bool GetFontUnderline() const { return m_boolFontUnderline; }
    void SetFontUnderline(bool value);
    int GetFontSize() const { return m_nFontSize; }
    void SetFontSize(int value);
    QString GetFontFamily() const { return m_strFontFamily; }
    void SetFontFamily(const QString& value);
    int GetFontColorIndex() const { return m_nFontColorIndex; }
    void SetFontColorIndex(int value);
    int GetFontOpacity() const { return m_nFontOpacity; }
    void SetFontOpacity(int value);

    int GetFontAlpha() const;
    TGPColor GetFontColor() const;
    // A new font and brush of the current settings; the caller owns them.
    std::unique_ptr<TGPFont> GetNewFont() const;
    std::unique_ptr<TGPSolidBrush> GetNewFontBrush() const;
    // The cached font and brush, made on first use; they stay the property's.
    const TGPFont& GetFont();
    const TGPSolidBrush& GetFontBrush();
    // Releases the cached font and brush.
    void Dispose();

private:
    void RebuildFont();
    void RefreshFontBrush();

    bool m_boolFontBold = false;
    bool m_boolFontItalic = false;
    bool m_boolFontUnderline = false;
    bool m_boolGDIUse;
    std::unique_ptr<TGPSolidBrush> m_brushFontBrush;
    std::unique_ptr<TGPFont> m_fontFont;
    int m_nFontColorIndex = 6;
    int m_nFontOpacity = 100;
    int m_nFontSize = 9;
    QString m_strFontFamily;
};

// The family of a rich text block that names none.
QString DefaultFontFamily();
