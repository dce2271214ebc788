#pragma once
// A block of prepared text from a rich text resource (".rxm"): read once at creation, drawn on
// every paint in its font from the top-left corner of the box, neither wrapped at the box's
// width nor clipped to it. Lines break only where the text has line breaks.

#include "draw/DrawParent.h"
#include "draw/FontProperty.h"
#include "platform/graphics/GPTypes.h"

#include <QString>

#include <memory>
#include <optional>

class TGPBitmap;

// What a rich text file gives, as read from its "text" element. Empty attributes are left out.
struct TRichXMLContent {
    QString fontFamily;                   // empty: the default family
    bool bold = false;                    // each only for exactly "true"
    bool italic = false;
    bool underline = false;
    std::optional<int32_t> fontSize;      // points before the zoom
    std::optional<int32_t> colorIndex;
    std::optional<int32_t> opacity;
    QString text;                         // verbatim; empty when the element has none
};

class TDrawRichXML : public TDrawParent {
public:
    // Reads the file and makes the block, its font size scaled by the zoom ratio of this moment
    // (rounded half to even). None, with the reason in p_pError when given, when the file cannot
    // be read, is not well-formed XML after its rewrite, has no top-level "root" element, or
    // has a fontsize, colorindex or opacity that is not a decimal integer.
    static std::unique_ptr<TDrawRichXML> Create(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo,
                                                const QString& p_strXMLPath, float p_fViewRatio,
                                                QString* p_pError = nullptr);
    // The reading alone, without fonts: what Create would show, or none with the reason.
    static std::optional<TRichXMLContent> ReadRichXML(const QString& p_strXMLPath, QString* p_pError = nullptr);

    ~TDrawRichXML() override;

    QString GetContentText() const { return m_strCotentText; }
    QString GetXMLPath() const { return m_strXMLPath; }
    // Valid until Dispose.
    TFontProperty& GetFontProperty() const { return *m_dpFontProperty; }

    bool GetBold() const { return m_dpFontProperty->GetFontBold(); }
    void SetBold(bool value) { m_dpFontProperty->SetFontBold(value); }
    bool GetItalic() const { return m_dpFontProperty->GetFontItalic(); }
    void SetItalic(bool value) { m_dpFontProperty->SetFontItalic(value); }
    bool GetUnderline() const { return m_dpFontProperty->GetFontUnderline(); }
    void SetUnderline(bool value) { m_dpFontProperty->SetFontUnderline(value); }
    int GetFontSize() const { return m_dpFontProperty->GetFontSize(); }
    void SetFontSize(int value) { m_dpFontProperty->SetFontSize(value); }
    int GetFontColorIndex() const { return m_dpFontProperty->GetFontColorIndex(); }
    void SetFontColorIndex(int value) { m_dpFontProperty->SetFontColorIndex(value); }

    // Stores the box only; the paint bounds stay as they were (all zero).
    void SetBounds(const TGPRectF& value) override;
    // The text in its font and colour from the box's top-left. The text is drawn once into a
    // picture that is then placed whole-pixel on the surface, so every paint gives the same
    // pixels (large glyphs drawn straight onto a surface can come out a shade apart from one
    // paint to the next).
    void Draw(TGPGraphics& p_gGraphics) override;
    void Dispose() override;
    // The text's measured box at the box's top-left, grown by half a line and two pixels on
    // every side for glyphs that reach past their advance (italics, fallback fonts) and for
    // anti-aliasing; nothing when there is no text to draw. The box itself is not painted, and
    // nothing is painted outside this extent.
    TGPRectF GetPaintExtent() const override;

private:
    // What the drawn pixels depend on besides the text and its origin.
    struct TTextLook {
        QString family;
        int size = 0;
        int style = 0;
        TGPColor colour = 0;
        bool operator==(const TTextLook&) const = default;
    };
    // The text drawn into a picture whose top-left is (left, top) from the whole-pixel part of
    // the origin, for one fractional part of the origin and one look.
    struct TTextCopy {
        std::unique_ptr<TGPBitmap> image;
        TTextLook look;
        float fractionX = 0.0f;
        float fractionY = 0.0f;
        TGPSmoothingMode smoothing = TGPSmoothingMode::Default;   // lines (underline) follow it
        int left = 0;
        int top = 0;
    };

    TDrawRichXML(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& p_strXMLPath);
    void LoadRichXML(const TRichXMLContent& p_content, float p_fViewRatio);
    bool HasTextToDraw() const;
    TTextLook CurrentLook() const;
    // The paint extent relative to the origin, measured again whenever the look changes.
    TGPRectF TextExtent() const;
    const TTextCopy& TextCopy(float p_fFractionX, float p_fFractionY, TGPSmoothingMode p_enumSmoothing);

    std::unique_ptr<TFontProperty> m_dpFontProperty;
    QString m_strCotentText;
    QString m_strXMLPath;
    mutable TGPRectF m_rtTextExtent;
    mutable std::optional<TTextLook> m_extentLook;
    TTextCopy m_textCopy;
};
