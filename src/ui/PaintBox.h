#pragma once
// A plain surface whose painting is done by its owner (the board, the frame).

#include <QWidget>

#include <functional>

class QPainter;

class TPaintBox : public QWidget {
public:
    // The painter is clipped to the region that needs painting.
    using TPaintHandler = std::function<void(QPainter& painter, const QRegion& region)>;

    TPaintBox(QWidget* parent, const QString& p_sName);

    void SetOnPaint(TPaintHandler p_handler) { m_onPaint = std::move(p_handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPaintHandler m_onPaint;
};
