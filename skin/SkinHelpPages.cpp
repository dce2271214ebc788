// The two pages of the help panel, set in the Korean face: the keys of the player ("단축키 안내")
// and how a session ends and what closing it early means ("강의중 종료 안내"). Each page fills the
// page area of the help panel's tabs.

#include "SkinArt.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr int kMargin = 16;

const QColor kPage(0x1E, 0x23, 0x2C);
const QColor kText(0xD5, 0xDB, 0xE5);
const QColor kNote(0x9A, 0xA3, 0xB2);
const QColor kCapFace(0x2C, 0x33, 0x42);
const QColor kCapRim(0x50, 0x5B, 0x6E);
const QColor kCapText(0xFF, 0xFF, 0xFF);
const QColor kHeading(0x4A, 0xA3, 0xFF);

QImage Page()
{
    QImage image = SkinImage(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(kPage);
    return image;
}

// A text that runs past the bottom of its page fails the build: it would be cut off on screen.
void CheckFits(int p_nBottom, const char* p_sPage)
{
    if (p_nBottom > kHeight) {
        std::fprintf(stderr, "ravo-skin-gen: the help page %s runs %d pixels past its end\n", p_sPage,
                     p_nBottom - kHeight);
        std::exit(1);
    }
}

// ---- The keys

struct TKeyRow {
    QStringList caps;   // the keys, each on a key cap
    QString what;
};

// A key cap with its label; returns the cap's right edge.
qreal KeyCap(QPainter& p, qreal p_x, qreal p_y, const QString& p_sLabel)
{
    const QFontMetricsF metrics(p.font());
    const qreal width = std::max<qreal>(26.0, metrics.horizontalAdvance(p_sLabel) + 14.0);
    const QRectF cap(p_x + 0.5, p_y + 0.5, width, 22.0);
    p.setPen(QPen(kCapRim, 1.0));
    p.setBrush(kCapFace);
    p.drawRoundedRect(cap, 4.0, 4.0);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    p.drawLine(QPointF(cap.left() + 3.0, cap.bottom() + 1.0), QPointF(cap.right() - 3.0, cap.bottom() + 1.0));
    p.setPen(kCapText);
    p.drawText(cap, Qt::AlignCenter, p_sLabel);
    return cap.right();
}

QImage KeysPage()
{
    const TKeyRow rows[] = {
        {{QStringLiteral("Space")}, QStringLiteral("재생 / 일시 정지")},
        {{QStringLiteral("←"), QStringLiteral("→")}, QStringLiteral("10초 뒤로 / 앞으로 (재생 중에만)")},
        {{QStringLiteral("↑"), QStringLiteral("↓")}, QStringLiteral("재생 속도 10% 올리기 / 내리기")},
        {{QStringLiteral("키패드 +"), QStringLiteral("키패드 −")}, QStringLiteral("교안 10% 확대 / 축소 (100 ~ 200%)")},
        {{QStringLiteral(","), QStringLiteral(".")}, QStringLiteral("음성 볼륨 10% 낮추기 / 높이기")},
        {{QStringLiteral("마우스 휠")}, QStringLiteral("교안을 위아래로 움직이기")},
        {{QStringLiteral("Ctrl"), QStringLiteral("G")}, QStringLiteral("시험 성적 입력 창 열기")},
    };
    QImage image = Page();
    QPainter p(&image);
    BeginSmooth(p);
    constexpr int kRowHeight = 32;
    constexpr qreal kTextColumn = 190.0;
    int top = kMargin;
    for (const TKeyRow& row : rows) {
        p.setFont(SkinFont(12, true));
        qreal x = kMargin;
        for (const QString& cap : row.caps) {
            x = KeyCap(p, x, top, cap) + 6.0;
        }
        p.setFont(SkinFont(13, false));
        p.setPen(kText);
        p.drawText(QRectF(kTextColumn, top, kWidth - kTextColumn - kMargin, 23.0), Qt::AlignLeft | Qt::AlignVCenter,
                   row.what);
        top += kRowHeight;
    }
    p.setPen(QPen(QColor(0x35, 0x3D, 0x4B), 1.0));
    p.drawLine(QPointF(kMargin, top + 2.5), QPointF(kWidth - kMargin, top + 2.5));
    p.setFont(SkinFont(12, false));
    p.setPen(kNote);
    const QRect note(kMargin, top + 10, kWidth - 2 * kMargin, kHeight - top - 10);
    const QString text = QStringLiteral("숨어 있는 막대는 마우스를 화면 위·아래 끝으로 옮기면 나타납니다. "
                                        "버튼 위에 마우스를 올리면 다음에 할 일이 보입니다.");
    p.drawText(note, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    CheckFits(top + 10 + p.fontMetrics().boundingRect(note, Qt::TextWordWrap, text).height(), "of the keys");
    return image;
}

// ---- How a session ends

struct TEndingItem {
    QString heading;
    QString text;
};

QImage EndingPage()
{
    const TEndingItem items[] = {
        {QStringLiteral("끝까지 들으면"),
         QStringLiteral("마지막 페이지까지 재생하면 학습이 끝나고, 남긴 강의 건의·평가·오류 신고가 "
                        "학습 결과와 함께 전송된 뒤 플레이어가 닫힙니다.")},
        {QStringLiteral("중간에 닫으면"),
         QStringLiteral("끝나기 전에 오른쪽 위의 닫기(×) 단추로 닫으면 학습 결과를 전송하지 않습니다. "
                        "관리 학습에서는 닫기 전에 한 번 더 묻습니다.")},
        {QStringLiteral("참여 확인"),
         QStringLiteral("관리 학습 중에는 숫자가 깜박이는 작은 사각형이 나타납니다. 숫자가 0을 지나기 전에 "
                        "눌러 주세요. 누르지 않으면 플레이어가 닫히고 결과는 전송되지 않습니다.")},
        {QStringLiteral("스스로 풀기"),
         QStringLiteral("문제 풀이 강의에서는 혼자 풀어 볼지 한 번 묻습니다. 확인을 누르면 플레이어가 닫히고 "
                        "결과는 전송되지 않습니다.")},
    };
    QImage image = Page();
    QPainter p(&image);
    BeginSmooth(p);
    constexpr int kTextColumn = 112;
    const int textWidth = kWidth - kTextColumn - kMargin;
    int top = kMargin;
    for (const TEndingItem& item : items) {
        p.setFont(SkinFont(13, true));
        p.setPen(kHeading);
        p.drawText(QRect(kMargin, top, kTextColumn - kMargin, 20), Qt::AlignLeft | Qt::AlignTop, item.heading);
        p.setFont(SkinFont(12, false));
        p.setPen(kText);
        const QRect box(kTextColumn, top + 1, textWidth, kHeight);
        const QRect used = p.fontMetrics().boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item.text);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item.text);
        top = used.bottom() + 16;
    }
    CheckFits(top - 16 + kMargin, "of the ending");
    return image;
}

} // namespace

std::vector<TSkinPicture> MakeHelpPages()
{
    return {
        {QStringLiteral("imgHelp1.png"), KeysPage()},
        {QStringLiteral("imgHelp2.png"), EndingPage()},
    };
}
