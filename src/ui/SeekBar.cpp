#include "ui/SeekBar.h"

#include "ui/ToolIcons.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>

namespace {

// A horizontal slider whose track takes the handle to the pressed point and starts dragging it
// from there, instead of stepping a page towards it.
class TJumpSlider : public QSlider {
public:
    explicit TJumpSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            QStyleOptionSlider option;
            initStyleOption(&option);
            const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
            if (!handle.contains(event->position().toPoint())) {
                const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
                const int span = groove.width() - handle.width();
                const int x = event->position().toPoint().x() - groove.left() - handle.width() / 2;
                setSliderPosition(QStyle::sliderValueFromPosition(minimum(), maximum(), x, span, option.upsideDown));
            }
        }
        QSlider::mousePressEvent(event);
    }
};

QToolButton* MakeArrow(QWidget* parent, TToolIcon p_icon, const QString& p_sName)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(p_sName);
    button->setIcon(MakeToolIcon(p_icon));
    button->setIconSize(QSize(14, 14));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TSeekBar::TSeekBar(QWidget* parent)
    : QWidget(parent),
      m_btnDown(MakeArrow(this, TToolIcon::StepLeft, QStringLiteral("scbPlayDown"))),
      m_slider(new TJumpSlider(this)),
      m_btnUp(MakeArrow(this, TToolIcon::StepRight, QStringLiteral("scbPlayUp")))
{
    setObjectName(QStringLiteral("scbPlay"));
    m_slider->setObjectName(QStringLiteral("scbPlayTrack"));
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setTracking(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_btnDown);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_btnUp);

    connect(m_slider, &QSlider::sliderPressed, this, [this] {
        if (OnMouseDown) {
            OnMouseDown();
        }
    });
    connect(m_slider, &QSlider::sliderReleased, this, [this] {
        if (OnMouseUp) {
            OnMouseUp();
        }
    });
    connect(m_btnUp, &QToolButton::clicked, this, [this] {
        if (OnUpButtonClick) {
            OnUpButtonClick();
        }
    });
    connect(m_btnDown, &QToolButton::clicked, this, [this] {
        if (OnDownButtonClick) {
            OnDownButtonClick();
        }
    });
}

void TSeekBar::SetRange(int32_t p_nMin, int32_t p_nMax)
{
    m_slider->setRange(p_nMin, p_nMax);
}

int32_t TSeekBar::GetPosition() const
{
    return m_slider->sliderPosition();
}

void TSeekBar::SetPosition(int32_t p_nPosition)
{
    m_slider->setValue(p_nPosition);
}
