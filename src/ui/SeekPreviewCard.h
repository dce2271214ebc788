#pragma once
// The small card over the seek bar: the time at the pointer, the page, and the board at that
// moment scaled down with the part the screen would show outlined. The time and page come at
// once; the picture when it has been made, or never where the learner may not go yet.

#include "playback/BoardPreview.h"

#include <QFrame>

class QLabel;

class TSeekPreviewCard : public QFrame {
public:
    static inline const QColor kOutlineColor{0xE0, 0x30, 0x30};

    explicit TSeekPreviewCard(QWidget* parent);

    // The card for a point, standing above p_anchor (in the parent's pixels), its middle at the
    // anchor's x as far as the parent allows. A picture not kept yet leaves the space blank.
    void ShowCard(const TPreviewCard& p_card, QPoint p_anchor);
    // The picture for the point shown, when it arrives.
    void ShowPicture(const TBoardThumbnail& p_picture);

    QString TimeText() const;
    QString PageText() const;
    // The picture shown, outline not included; null when none is.
    const QImage& Picture() const { return m_picture; }
    // The picture area as painted, outline included.
    QLabel* PictureLabel() const { return m_lbPicture; }

private:
    void Place(QPoint p_anchor);

    QLabel* m_lbTime;
    QLabel* m_lbPage;
    QLabel* m_lbPicture;
    QImage m_picture;
    QPoint m_anchor;
};
