#pragma once
// The bars' reveal at the screen's edges: a mouse move over the board area shows the status bar
// in the bottom band as high as the status bar, else the title bar in the top band as high as the
// title bar, and hides the bars that are not fixed anywhere else. Only moves over the board area
// count: a drag that started on a bar (the seek or volume knob) keeps its moves until the button
// is released, so the bar stays while its knob is dragged.

#include <QSize>

#include <functional>
#include <memory>

class QWidget;
class TEventHook;
class TStatusView;
class TTitleView;
struct TPlayerState;

class TBarReveal {
public:
    TBarReveal(TTitleView& p_title, TStatusView& p_status, const TPlayerState& p_state,
               std::function<QSize()> p_screenSize);
    ~TBarReveal();

    // Mouse moves over the widget call the rule.
    void Watch(QWidget* p_widget);
    // The rule for a mouse move to (X, Y) in screen coordinates.
    void ShowToolBar(int p_nX, int p_nY);

private:
    TTitleView& m_title;
    TStatusView& m_status;
    const TPlayerState& m_state;
    std::function<QSize()> m_screenSize;
    std::unique_ptr<TEventHook> m_moveHook;
};
