#pragma once
// The play scroll bar (scbPlay): a track over the whole session in milliseconds with an arrow
// button at each end. Pressing anywhere on the track grabs the handle there; the press, the
// release and the two arrows are reported to the owner, which does the seeking.

#include <QWidget>

#include <cstdint>
#include <functional>

class TJumpSlider;
class QToolButton;

class TSeekBar : public QWidget {
public:
    explicit TSeekBar(QWidget* parent);

    std::function<void()> OnMouseDown;
    std::function<void()> OnMouseUp;
    std::function<void()> OnUpButtonClick;     // the right arrow: forward
    std::function<void()> OnDownButtonClick;   // the left arrow: back

    void SetRange(int32_t p_nMin, int32_t p_nMax);
    int32_t GetPosition() const;
    void SetPosition(int32_t p_nPosition);

    TJumpSlider* Track() const { return m_slider; }
    QToolButton* UpButton() const { return m_btnUp; }
    QToolButton* DownButton() const { return m_btnDown; }

private:
    QToolButton* m_btnDown;
    TJumpSlider* m_slider;
    QToolButton* m_btnUp;
};
