#pragma once
// The status text over the board (lbStatusMessage): bold sky-blue text drawn with a thin dark
// outline, so it stays legible on a white note, a dark board or any picture. It takes no mouse
// input: the board under it keeps its moves.

#include <QLabel>

class TStatusMessage : public QLabel {
public:
    static constexpr int kLeft = 107;
    static constexpr int kTop = 13;
    static constexpr int kWidth = 182;
    static constexpr int kHeight = 24;

    explicit TStatusMessage(QWidget* parent);

    // Shows the text, widening the label when the text needs more than its design width.
    void ShowText(const QString& p_sText);

protected:
    void paintEvent(QPaintEvent* event) override;
};
