#include "ui/MessageForm.h"

#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"
#include "session/FileUtil.h"
#include "ui/PictureButton.h"
#include "ui/StayOnTop.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 21;
const QRect kOkBox(235, 178, kButtonWidth, kButtonHeight);
const QRect kCancelBox(305, 179, kButtonWidth, kButtonHeight);

const QString kOkLabel = QStringLiteral("확인");
const QString kCancelLabel = QStringLiteral("취소");

// Press shows Down, entering Over, leaving Up; a release inside shows Over and answers.
const TButtonBehaviour kBehaviour{THoverRule::OnEnter, TReleaseRule::OverThenAct, false, false};

QFont WindowFont(int p_nPixels, bool p_bBold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("NanumGothic")});
    font.setPixelSize(p_nPixels);
    font.setBold(p_bBold);
    return font;
}

// Stands in for a state picture that cannot be loaded: a plain button of the same size and text,
// darker pressed and lighter under the mouse, painted at the device pixel ratio.
QPixmap PaintedButton(const QString& p_sLabel, TButtonState p_state, qreal p_dRatio)
{
    QColor face(0xE8, 0xEA, 0xEE);
    if (p_state == TButtonState::Down) {
        face = face.darker(115);
    } else if (p_state == TButtonState::Over) {
        face = face.lighter(104);
    }
    QPixmap picture(DeviceSize(QSize(kButtonWidth, kButtonHeight), p_dRatio));
    picture.setDevicePixelRatio(p_dRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(0x8C, 0x96, 0xA6));
    painter.setBrush(face);
    painter.drawRect(0, 0, kButtonWidth - 1, kButtonHeight - 1);
    painter.setFont(WindowFont(12, true));
    painter.setPen(QColor(0x33, 0x37, 0x3E));
    painter.drawText(QRect(0, p_state == TButtonState::Down ? 1 : 0, kButtonWidth, kButtonHeight), Qt::AlignCenter,
                     p_sLabel);
    return picture;
}

} // namespace

TMessageForm::TMessageForm(QWidget* p_formParent, const QString& p_sExeDir, const QSize& p_screen)
    : QDialog(p_formParent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_formParent(p_formParent),
      m_sImageFolder(JoinPath(p_sExeDir, QStringLiteral("image"))),
      m_szScreen(p_screen)
{
    setObjectName(QStringLiteral("MessageForm"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(R"(
#MessageForm { background: white; }
QLabel { color: #1E232C; background: transparent; }
QCheckBox { color: #3A4150; background: transparent; spacing: 6px; }
QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid #8C96A6; border-radius: 2px; background: white; }
QCheckBox::indicator:hover { border-color: #2F6FD0; }
QCheckBox::indicator:checked { border-color: #2F6FD0; background: #2F6FD0; image: url("%1"); }
)").arg(JoinPath(m_sImageFolder, QStringLiteral("check_mark.png"))));
    setFont(WindowFont(12, false));

    imgBack = new TPicture(this, QStringLiteral("imgBack"));
    imgBack->setGeometry(0, 0, kWidth, kHeight);
    imgBack->LoadPicture(JoinPath(m_sImageFolder, QStringLiteral("message_back.png")));

    lbTitle = new QLabel(this);
    lbTitle->setObjectName(QStringLiteral("lbTitle"));
    lbTitle->move(56, 42);
    lbTitle->setFont(WindowFont(14, true));
    lbMessage = new QLabel(this);
    lbMessage->setObjectName(QStringLiteral("lbMessage"));
    lbMessage->move(35, 94);
    lbMessage->setFont(WindowFont(16, false));

    bsSkinCheckBox1 = new QCheckBox(QStringLiteral("해당 메세지창 일주일간 보지 않기"), this);
    bsSkinCheckBox1->setObjectName(QStringLiteral("bsSkinCheckBox1"));
    bsSkinCheckBox1->setGeometry(35, 147, 206, 25);
    bsSkinCheckBox1->setFocusPolicy(Qt::NoFocus);

    paHiddenImage = new QWidget(this);
    paHiddenImage->setObjectName(QStringLiteral("paHiddenImage"));
    paHiddenImage->hide();
    imgOkUp = CreateStatePicture(QStringLiteral("imgOkUp"), QStringLiteral("ok_up.png"), kOkLabel, TButtonState::Up);
    imgOkDown = CreateStatePicture(QStringLiteral("imgOkDown"), QStringLiteral("ok_down.png"), kOkLabel, TButtonState::Down);
    imgOkOver = CreateStatePicture(QStringLiteral("imgOkOver"), QStringLiteral("ok_over.png"), kOkLabel, TButtonState::Over);
    imgCancelUp = CreateStatePicture(QStringLiteral("imgCancelUp"), QStringLiteral("cancel_up.png"), kCancelLabel,
                                     TButtonState::Up);
    imgCancelDown = CreateStatePicture(QStringLiteral("imgCancelDown"), QStringLiteral("cancel_down.png"),
                                       kCancelLabel, TButtonState::Down);
    imgCancelOver = CreateStatePicture(QStringLiteral("imgCancelOver"), QStringLiteral("cancel_over.png"),
                                       kCancelLabel, TButtonState::Over);

    btnOK = CreateButton(QStringLiteral("btnOK"), kOkBox, mrOK, imgOkUp, imgOkDown, imgOkOver);
    btnCancel = CreateButton(QStringLiteral("btnCancel"), kCancelBox, mrCancel, imgCancelUp, imgCancelDown,
                             imgCancelOver);
}

TPicture* TMessageForm::CreateStatePicture(const QString& p_sName, const QString& p_sFile, const QString& p_sLabel,
                                           TButtonState p_state)
{
    auto* picture = new TPicture(paHiddenImage, p_sName);
    if (!picture->LoadPicture(JoinPath(m_sImageFolder, p_sFile))) {
        picture->SetPicture(PaintedButton(p_sLabel, p_state, devicePixelRatioF()));
    }
    return picture;
}

TPictureButton* TMessageForm::CreateButton(const QString& p_sName, const QRect& p_rtBox, int p_nModalResult,
                                           TPicture* p_up, TPicture* p_down, TPicture* p_over)
{
    auto* button = new TPictureButton(this, p_sName);
    button->setGeometry(p_rtBox);
    button->SetBehaviour(kBehaviour);
    button->SetStatePictures([p_up, p_down, p_over](TButtonState state) -> const TPicture* {
        switch (state) {
        case TButtonState::Down:
            return p_down;
        case TButtonState::Over:
            return p_over;
        case TButtonState::Up:
        case TButtonState::Disable:
            break;
        }
        return p_up;
    });
    button->ShowState(TButtonState::Up);
    button->OnMouseUp = [this, p_nModalResult] { done(p_nModalResult); };
    return button;
}

int TMessageForm::ShowModal()
{
    const bool parentStayedOnTop = m_formParent && IsStayOnTop(*m_formParent);
    if (m_formParent) {
        SetStayOnTop(*m_formParent, false);
    }
    PlaceButtons();
    CenterOnScreen();
    lbMessage->setText(m_sMessage);
    lbMessage->adjustSize();
    lbTitle->setText(m_sTitle);
    lbTitle->adjustSize();
    setWindowTitle(m_sTitle);
    const int result = exec();
    if (m_formParent) {
        SetStayOnTop(*m_formParent, parentStayedOnTop);
    }
    return result;
}

bool TMessageForm::IsChecked() const
{
    return bsSkinCheckBox1->isChecked();
}

void TMessageForm::PlaceButtons()
{
    btnCancel->setVisible(!m_bCancelDisable);
    btnOK->setGeometry(m_bCancelDisable ? kCancelBox : kOkBox);
    btnCancel->setGeometry(kCancelBox);
}

void TMessageForm::CenterOnScreen()
{
    QSize screen = m_szScreen;
    if (!screen.isValid()) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        screen = primary ? primary->size() : QSize(kWidth, kHeight);
    }
    move(static_cast<int>(RoundHalfEven((screen.width() - kWidth) / 2.0)),
         static_cast<int>(RoundHalfEven((screen.height() - kHeight) / 2.0)));
}

void TMessageForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void TMessageForm::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}
