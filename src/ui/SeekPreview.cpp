#include "ui/SeekPreview.h"

#include "ui/JumpSlider.h"
#include "ui/SeekBar.h"
#include "ui/SeekPreviewCard.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

TSeekPreview::TSeekPreview(TSeekBar& p_seekBar, QLabel& p_currentTime, QWidget& p_cardParent,
                           const TPlayerState& p_state, std::vector<TLectureInfo> p_listPages, QSize p_visibleSize)
    : m_seekBar(p_seekBar),
      m_lbCurrentTime(p_currentTime),
      m_cardParent(p_cardParent),
      m_state(p_state),
      m_card(new TSeekPreviewCard(&p_cardParent)),
      m_preview(std::make_unique<TBoardPreview>(p_state, std::move(p_listPages), p_visibleSize))
{
    m_preview->SetThumbnailHandler([this](const TBoardThumbnail& picture) { m_card->ShowPicture(picture); });
    TJumpSlider* track = m_seekBar.Track();
    track->setMouseTracking(true);
    track->installEventFilter(this);
    connect(track, &QSlider::sliderPressed, this, [this] { KnobMoved(m_seekBar.Track()->sliderPosition()); });
    connect(track, &QSlider::sliderMoved, this, [this](int value) { KnobMoved(value); });
    // Connected after the seek bar's own release, so the engine has taken the drop (or refused it).
    connect(track, &QSlider::sliderReleased, this, [this] { KnobReleased(); });
    Refresh();
}

TSeekPreview::~TSeekPreview()
{
    m_seekBar.Track()->removeEventFilter(this);
    delete m_card;
}

void TSeekPreview::Refresh()
{
    m_seekBar.Track()->SetPlayedLimit(IsSupervisedStudy() ? m_state.m_intFlowMilesSecond : -1);
}

bool TSeekPreview::eventFilter(QObject* p_watched, QEvent* p_event)
{
    TJumpSlider* track = m_seekBar.Track();
    if (p_watched == track) {
        if (p_event->type() == QEvent::MouseMove && !track->isSliderDown()) {
            ShowAt(track->ValueAt(static_cast<QMouseEvent*>(p_event)->position().toPoint().x()));
        } else if (p_event->type() == QEvent::Leave && !track->isSliderDown()) {
            Hide();
        }
    }
    return QObject::eventFilter(p_watched, p_event);
}

void TSeekPreview::ShowAt(int32_t p_nSessionMs)
{
    TJumpSlider* track = m_seekBar.Track();
    const QPoint anchor = track->mapTo(&m_cardParent, QPoint(track->XOf(p_nSessionMs), 0));
    // The picture is made for the screen the card is on now.
    m_preview->SetDevicePixelRatio(m_card->devicePixelRatioF());
    m_card->ShowCard(m_preview->Request(p_nSessionMs), anchor);
}

void TSeekPreview::Hide()
{
    m_preview->CancelRequest();
    m_card->hide();
}

void TSeekPreview::KnobMoved(int p_nValue)
{
    m_lbCurrentTime.setText(FormatPlayTime(static_cast<uint32_t>(std::max(p_nValue, 0))));
    ShowAt(p_nValue);
}

// The labels go back to the time played: the drop's own when the engine took it.
void TSeekPreview::KnobReleased()
{
    m_lbCurrentTime.setText(FormatPlayTime(static_cast<uint32_t>(std::max(m_state.m_intCurrentMilesSecond, 0))));
    if (!m_seekBar.Track()->underMouse()) {
        Hide();
    }
}
