#include "ui/AlignEngine.h"

#include <QEvent>
#include <QWidget>

#include <vector>

namespace {

const char* const kAlignProperty = "ravoAlign";

// Visible as the control itself says, whatever its parent: a control not yet shown with its
// window counts as visible until it is hidden on purpose.
bool IsDeclaredVisible(const QWidget* p_widget)
{
    return !(p_widget->isHidden() && p_widget->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

// The controls inside p_parent (dialogs owned by it are windows of their own, not controls).
std::vector<QWidget*> ControlsOf(const QWidget* p_parent)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : p_parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) {
            controls.push_back(child);
        }
    }
    return controls;
}

bool HasAlignedControl(const QWidget* p_parent)
{
    for (const QWidget* control : ControlsOf(p_parent)) {
        if (TAlignEngine::GetAlign(control) != TAlign::None) {
            return true;
        }
    }
    return false;
}

} // namespace

TAlignEngine::TAlignEngine(QObject* parent) : QObject(parent) {}

void TAlignEngine::SetAlign(QWidget* p_control, TAlign p_align)
{
    p_control->setProperty(kAlignProperty, static_cast<int>(p_align));
    Watch(p_control);
    if (QWidget* parent = p_control->parentWidget()) {
        Watch(parent);
        AlignControls(parent);
    }
}

TAlign TAlignEngine::GetAlign(const QWidget* p_control)
{
    bool ok = false;
    const int value = p_control->property(kAlignProperty).toInt(&ok);
    return ok ? static_cast<TAlign>(value) : TAlign::None;
}

void TAlignEngine::SetBounds(QWidget* p_control, const QRect& p_rtBounds)
{
    ++m_nAligning;
    p_control->setGeometry(p_rtBounds);
    --m_nAligning;
    QWidget* parent = p_control->parentWidget();
    AlignControls(parent && !p_control->isWindow() ? parent : p_control);
}

void TAlignEngine::AlignControls(QWidget* p_parent)
{
    ++m_nAligning;
    const std::vector<QWidget*> controls = ControlsOf(p_parent);
    std::vector<TAlignBox> boxes;
    boxes.reserve(controls.size());
    for (const QWidget* control : controls) {
        boxes.push_back({GetAlign(control), control->geometry(), IsDeclaredVisible(control)});
    }
    const std::vector<QRect> placed = AlignBoxes(p_parent->rect(), boxes);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (placed[i] != boxes[i].bounds) {
            controls[i]->setGeometry(placed[i]);
        }
    }
    for (QWidget* control : controls) {
        if (HasAlignedControl(control)) {
            AlignControls(control);
        }
    }
    --m_nAligning;
}

void TAlignEngine::Watch(QWidget* p_widget)
{
    // Installing twice keeps one filter.
    p_widget->installEventFilter(this);
}

bool TAlignEngine::eventFilter(QObject* watched, QEvent* event)
{
    if (m_nAligning > 0 || !watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* parent = widget->isWindow() ? nullptr : widget->parentWidget();
    const bool aligned = GetAlign(widget) != TAlign::None && parent;
    switch (event->type()) {
    case QEvent::Resize:
        // An aligned control resized from outside: its parent places it again, which also aligns
        // inside it. Any other control aligns only its own controls.
        AlignFromEvent(aligned ? parent : widget);
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (aligned) {
            AlignFromEvent(parent);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TAlignEngine::AlignFromEvent(QWidget* p_parent)
{
    if (HasAlignedControl(p_parent) || GetAlign(p_parent) != TAlign::None) {
        AlignControls(p_parent);
    }
}
