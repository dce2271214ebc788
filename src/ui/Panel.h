#pragma once
// A panel of the window: a plain container filled with its own colour. Bars, their parts, the
// feedback panels and the hidden group of state pictures are panels.

#include <QColor>
#include <QWidget>

class TPanel : public QWidget {
public:
    TPanel(QWidget* parent, const QString& p_sName, const QColor& p_color);

    void SetColor(const QColor& p_color);
    QColor GetColor() const;
};
