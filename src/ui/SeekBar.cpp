#include "ui/SeekBar.h"

#include "ui/JumpSlider.h"
#include "ui/ToolIcons.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

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
