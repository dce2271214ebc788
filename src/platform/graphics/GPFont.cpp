#include "platform/graphics/GPFont.h"

#include "platform/graphics/GPTypes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {

QFont MakeFont(const QString& familyName, float emSizePoints, int style)
{
    QFont font;
    if (QFontDatabase::hasFamily(familyName)) {
        font.setFamily(familyName);
    } else {
        font.setFamilies(QStringList{QStringLiteral("sans-serif")});
    }
    font.setStyleHint(QFont::SansSerif);
    if (emSizePoints > 0.0f) {
        font.setPointSizeF(emSizePoints);
    }
    font.setBold((style & kGPFontStyleBold) != 0);
    font.setItalic((style & kGPFontStyleItalic) != 0);
    font.setUnderline((style & kGPFontStyleUnderline) != 0);
    return font;
}

}  // namespace

TGPFont::TGPFont(const QString& familyName, float emSizePoints, int style)
    : m_font(MakeFont(familyName, emSizePoints, style)), m_fSize(emSizePoints), m_nStyle(style)
{
}

QString TGPFont::GetFamilyName() const
{
    return QFontInfo(m_font).family();
}
