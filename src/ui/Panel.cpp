#include "ui/Panel.h"

#include <QPalette>

TPanel::TPanel(QWidget* parent, const QString& p_sName, const QColor& p_color) : QWidget(parent)
{
    setObjectName(p_sName);
    setAutoFillBackground(true);
    SetColor(p_color);
}

void TPanel::SetColor(const QColor& p_color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, p_color);
    setPalette(palette);
}

QColor TPanel::GetColor() const
{
    return palette().color(QPalette::Window);
}
