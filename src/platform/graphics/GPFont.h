#pragma once
// A font by family name, em size in points and style bits (bold 1, italic 2, underline 4).
// A family that is not installed gives the generic sans-serif family. Points become pixels by
// the resolution of the surface that draws the text.

#include <QFont>
#include <QString>

class TGPFont {
public:
    TGPFont(const QString& familyName, float emSizePoints, int style = 0);

    // The family actually used (the sans-serif fallback when the asked family is missing).
    QString GetFamilyName() const;
    float GetSize() const { return m_fSize; }
    int GetStyle() const { return m_nStyle; }

    const QFont& GetQFont() const { return m_font; }

private:
    QFont m_font;
    float m_fSize;
    int m_nStyle;
};
