// The backgrounds of the panels over the board (proposal, evaluation, error report, grade, help),
// each at its panel's size with a title band along the top where the panel's controls leave room;
// the prize list of the grade panel's roll-up; the pin that may hold the board.

#include "SkinArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

constexpr int kTitleBand = 30;
constexpr int kTextLeft = 12;

const QColor kFaceTop(0x24, 0x2A, 0x35);
const QColor kFaceBottom(0x1C, 0x21, 0x29);
const QColor kBand(0x2B, 0x32, 0x3F);
const QColor kRim(0x46, 0x50, 0x5F);
const QColor kTitle(0xE6, 0xEA, 0xF0);
const QColor kText(0xAE, 0xB6, 0xC4);
const QColor kAccent(0x4A, 0xA3, 0xFF);

// A panel: its face, a title band with the title, a short accent under the title, the rim.
QImage PanelBackground(int p_nWidth, int p_nHeight, const QString& p_sTitle)
{
    QImage image = ClearImage(p_nWidth, p_nHeight);
    QPainter p(&image);
    BeginSmooth(p);
    QLinearGradient face(0.0, 0.0, 0.0, p_nHeight);
    face.setColorAt(0.0, kFaceTop);
    face.setColorAt(1.0, kFaceBottom);
    p.fillRect(image.rect(), face);
    p.fillRect(QRect(0, 0, p_nWidth, kTitleBand), kBand);
    p.fillRect(QRect(0, kTitleBand, p_nWidth, 1), QColor(0, 0, 0, 80));
    p.fillRect(QRect(kTextLeft, kTitleBand - 2, 22, 2), kAccent);
    p.setFont(SkinFont(13, true));
    p.setPen(kTitle);
    p.drawText(QRect(kTextLeft, 0, p_nWidth - 2 * kTextLeft, kTitleBand - 2), Qt::AlignLeft | Qt::AlignVCenter,
               p_sTitle);
    p.setPen(QPen(kRim, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, p_nWidth - 1.0, p_nHeight - 1.0));
    return image;
}

// The grade panel says what to do in the room above its controls.
QImage GradeBackground()
{
    QImage image = PanelBackground(280, 200, QStringLiteral("시험 성적 입력"));
    QPainter p(&image);
    BeginSmooth(p);
    p.setFont(SkinFont(12, false));
    p.setPen(kText);
    p.drawText(QRect(kTextLeft, kTitleBand + 8, 280 - 2 * kTextLeft, 44), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("시험 종류를 고르고 점수를 입력한 뒤\n보내기를 누르세요."));
    return image;
}

// The prize list shown when the grade panel's roll-up is opened.
QImage PresentDetail()
{
    constexpr int kWidth = 266;
    constexpr int kHeight = 155;
    QImage image = ClearImage(kWidth, kHeight);
    QPainter p(&image);
    BeginSmooth(p);
    p.fillRect(image.rect(), QColor(0x26, 0x2D, 0x39));
    p.setPen(QPen(QColor(0x3A, 0x43, 0x52), 1.0));
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1.0, kHeight - 1.0));
    p.setFont(SkinFont(12, true));
    p.setPen(kTitle);
    p.drawText(QRect(10, 8, kWidth - 20, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("경품 안내"));
    p.setFont(SkinFont(12, false));
    p.setPen(kText);
    const QString lines[] = {
        QStringLiteral("성적을 보낸 학생 가운데 추첨합니다."),
        QStringLiteral("· 1등 (1명) : 도서상품권 3만 원"),
        QStringLiteral("· 2등 (5명) : 도서상품권 1만 원"),
        QStringLiteral("· 3등 (20명) : 문화상품권 5천 원"),
        QStringLiteral("당첨자는 학습 사이트에 알립니다."),
    };
    int top = 34;
    for (const QString& line : lines) {
        p.drawText(QRect(10, top, kWidth - 20, 20), Qt::AlignLeft | Qt::AlignVCenter, line);
        top += 23;
    }
    return image;
}

// A red pushpin seen from above and the left, its needle going into the board at the lower left.
QImage Pin()
{
    QImage image = ClearImage(47, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(QPointF(31.0, 20.0), 11.0, 9.0);
    p.setPen(QPen(QColor(0x8A, 0x93, 0xA0), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22.0, 22.0), QPointF(11.0, 35.0));
    QRadialGradient head(QPointF(24.0, 13.0), 13.0, QPointF(21.0, 9.0));
    head.setColorAt(0.0, QColor(0xFF, 0x8A, 0x8E));
    head.setColorAt(0.55, QColor(0xE5, 0x48, 0x4D));
    head.setColorAt(1.0, QColor(0xA8, 0x24, 0x2A));
    p.setPen(Qt::NoPen);
    p.setBrush(head);
    p.drawEllipse(QPointF(27.0, 16.0), 11.0, 11.0);
    return image;
}

} // namespace

std::vector<TSkinPicture> MakePanelPictures()
{
    return {
        {QStringLiteral("imgProposalView.png"), PanelBackground(280, 265, QStringLiteral("강의 건의"))},
        {QStringLiteral("imgLectureAppraiseView.png"), PanelBackground(192, 209, QStringLiteral("강의 평가"))},
        {QStringLiteral("imgErrorView.png"), PanelBackground(235, 170, QStringLiteral("오류 신고"))},
        {QStringLiteral("imgGradeView.png"), GradeBackground()},
        {QStringLiteral("imgHelpView.png"), PanelBackground(495, 400, QStringLiteral("도움말"))},
        {QStringLiteral("imgPresentDetail.png"), PresentDetail()},
        {QStringLiteral("imgPin.png"), Pin()},
    };
}
