#pragma once
// The window's one alignment engine: it keeps each control's alignment (alTop, alBottom, alLeft,
// alRight, alClient, or none for a control placed by its own box) and places the aligned controls
// of a parent by the rules of AlignRules. It aligns again by itself whenever a parent changes size,
// an aligned control is shown or hidden, or an aligned control's size is changed from outside
// (a bar that hides gives its room to the client-aligned control; a bar given another height
// takes it). Aligning goes down the tree: a control that got a new size aligns its own controls.
//
// Use: SetAlign on each aligned control once its parent is set; SetBounds (or the widget's own
// geometry setters) for the box; the engine keeps an aligned control's other dimensions as its
// alignment dictates, exactly as a top-aligned panel keeps its parent's width whatever width it
// is given. Unaligned controls are never moved.

#include "ui/AlignRules.h"

#include <QObject>

class QWidget;

class TAlignEngine : public QObject {
public:
    explicit TAlignEngine(QObject* parent = nullptr);

    // Sets the control's alignment and aligns its parent's controls again.
    void SetAlign(QWidget* p_control, TAlign p_align);
    static TAlign GetAlign(const QWidget* p_control);
    // Sets the control's box (parent coordinates) and aligns its parent's controls again.
    void SetBounds(QWidget* p_control, const QRect& p_rtBounds);
    // Places the aligned controls of p_parent, then aligns inside each of its controls.
    void AlignControls(QWidget* p_parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* p_widget);
    void AlignFromEvent(QWidget* p_parent);

    int m_nAligning = 0;   // the engine is placing controls: their own events are its doing
};
