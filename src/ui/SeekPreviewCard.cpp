#include "ui/SeekPreviewCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kGapAbove = 6;   // between the card and the point it is for
// The picture area before a picture arrives: the width of one, the height of a 4 : 3 board.
constexpr int kBlankHeight = TBoardPreview::kThumbnailWidth * 3 / 4;

// The outline one logical pixel wide, in the picture's logical pixels (its painter's own).
QPixmap Outlined(const TBoardThumbnail& p_picture)
{
    QImage image = p_picture.image.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setPen(QPen(TSeekPreviewCard::kOutlineColor, 1));
    painter.drawRect(QRectF(p_picture.onScreen.toAlignedRect()).adjusted(0.5, 0.5, -0.5, -0.5));
    return QPixmap::fromImage(image);
}

} // namespace

TSeekPreviewCard::TSeekPreviewCard(QWidget* parent)
    : QFrame(parent), m_lbTime(new QLabel(this)), m_lbPage(new QLabel(this)), m_lbPicture(new QLabel(this))
{
    setObjectName(QStringLiteral("paSeekPreview"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#paSeekPreview { background: #20242C; border: 1px solid #5A6270; }"
                                 "QLabel { color: #F0F0F0; background: transparent; }"));
    m_lbTime->setObjectName(QStringLiteral("lbSeekPreviewTime"));
    m_lbPage->setObjectName(QStringLiteral("lbSeekPreviewPage"));
    m_lbPicture->setObjectName(QStringLiteral("imSeekPreview"));
    m_lbPage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lbPicture->setFixedWidth(TBoardPreview::kThumbnailWidth);
    m_lbPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* texts = new QHBoxLayout;
    texts->setSpacing(12);
    texts->addWidget(m_lbTime);
    texts->addWidget(m_lbPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(m_lbPicture);
    layout->addLayout(texts);
    hide();
}

void TSeekPreviewCard::ShowCard(const TPreviewCard& p_card, QPoint p_anchor)
{
    m_lbTime->setText(p_card.timeText);
    m_lbPage->setText(p_card.pageIndex < 0 ? QString() : QStringLiteral("%1 p").arg(p_card.pageIndex + 1));
    m_picture = QImage();
    m_lbPicture->clear();
    m_lbPicture->setVisible(p_card.pictureAllowed);
    m_lbPicture->setFixedHeight(kBlankHeight);
    if (p_card.picture) {
        ShowPicture(*p_card.picture);
    }
    Place(p_anchor);
    show();
    raise();
}

void TSeekPreviewCard::ShowPicture(const TBoardThumbnail& p_picture)
{
    m_picture = p_picture.image;
    m_lbPicture->setFixedHeight(static_cast<int>(std::ceil(p_picture.image.deviceIndependentSize().height())));
    m_lbPicture->setPixmap(Outlined(p_picture));
    Place(m_anchor);
}

QString TSeekPreviewCard::TimeText() const
{
    return m_lbTime->text();
}

QString TSeekPreviewCard::PageText() const
{
    return m_lbPage->text();
}

void TSeekPreviewCard::Place(QPoint p_anchor)
{
    m_anchor = p_anchor;
    adjustSize();
    const QSize room = parentWidget()->size();
    const int x = std::clamp(p_anchor.x() - width() / 2, 0, std::max(room.width() - width(), 0));
    const int y = std::max(p_anchor.y() - kGapAbove - height(), 0);
    move(x, y);
}
