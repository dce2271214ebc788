#pragma once
// The seek bar's preview in the window: while the pointer is over the seek bar's track, or
// drags its knob, the card above it shows the time, the page and the board at that point; the
// time labels follow the dragged knob; the track marks how far has been played in supervised
// study. It only reads: no sound, no seek, nothing written.

#include "playback/BoardPreview.h"

#include <QObject>

#include <memory>

class QLabel;
class TSeekBar;
class TSeekPreviewCard;

class TSeekPreview : public QObject {
public:
    // p_cardParent: the widget the card stands in, above the seek bar; p_currentTime: the label
    // showing the time played.
    TSeekPreview(TSeekBar& p_seekBar, QLabel& p_currentTime, QWidget& p_cardParent, const TPlayerState& p_state,
                 std::vector<TLectureInfo> p_listPages, QSize p_visibleSize);
    ~TSeekPreview() override;

    // After each tick: the played mark follows the furthest point played.
    void Refresh();

    TSeekPreviewCard& Card() const { return *m_card; }
    TBoardPreview& Preview() const { return *m_preview; }

protected:
    bool eventFilter(QObject* p_watched, QEvent* p_event) override;

private:
    // The card for the session position, above the point of the track it stands at.
    void ShowAt(int32_t p_nSessionMs);
    void Hide();
    void KnobMoved(int p_nValue);
    void KnobReleased();

    TSeekBar& m_seekBar;
    QLabel& m_lbCurrentTime;
    QWidget& m_cardParent;
    const TPlayerState& m_state;
    TSeekPreviewCard* m_card;
    std::unique_ptr<TBoardPreview> m_preview;
};
