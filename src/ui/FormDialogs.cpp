#include "ui/FormDialogs.h"

#include "ui/ShellLook.h"

#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace {

const QString kOkText = QStringLiteral("확인");
const QString kCancelText = QStringLiteral("취소");

QMessageBox::Icon IconOf(TMessageKind p_enumKind)
{
    switch (p_enumKind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// true when OK closed the box.
bool RunBox(QWidget* p_owner, QMessageBox::Icon p_icon, const QString& p_sTitle, const QString& p_sText,
            bool p_bWithCancel)
{
    QMessageBox box(p_icon, p_sTitle, p_sText, QMessageBox::NoButton, p_owner);
    box.setStyleSheet(QString::fromLatin1(ShellLook::kDialogStyle));
    QPushButton* ok = box.addButton(kOkText, QMessageBox::AcceptRole);
    if (p_bWithCancel) {
        box.addButton(kCancelText, QMessageBox::RejectRole);
    }
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

TFormDialogs TFormDialogs::Standard()
{
    TFormDialogs dialogs;
    dialogs.ShowMessage = [](QWidget* owner, TMessageKind kind, const QString& text) {
        RunBox(owner, IconOf(kind), QStringLiteral("알림"), text, false);
    };
    dialogs.AskOkCancel = [](QWidget* owner, const QString& text) {
        return RunBox(owner, QMessageBox::Information, QStringLiteral("확인"), text, true);
    };
    dialogs.Wait = [](int32_t milliseconds) {
        if (milliseconds > 0) {
            QThread::msleep(static_cast<unsigned long>(milliseconds));
        }
    };
    return dialogs;
}
