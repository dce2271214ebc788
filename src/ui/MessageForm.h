#pragma once
// The message window: a borderless 441 x 223 window with its background picture, a title and a
// message, an OK and a Cancel picture button and the check box "해당 메세지창 일주일간 보지
// 않기". Its opener sets the texts and m_bCancelDisable, shows it modally (ShowModal) and reads the
// check box afterwards. While it is up the opener does not stay on top; afterwards the opener's
// stay-on-top state is what it was. The buttons act on a release inside them; no key and no
// window manager closes the window. The pictures come from the image folder of the program; a
// button picture that cannot be loaded is painted instead, with the same size and text (a missing
// tick leaves the ticked box plain blue).

#include "ui/ButtonRules.h"

#include <QDialog>
#include <QSize>
#include <QString>

class QCheckBox;
class QLabel;
class TPicture;
class TPictureButton;

class TMessageForm : public QDialog {
public:
    // Modal results. None: the window was taken away without an answer (the player closes).
    static constexpr int mrNone = 0;
    static constexpr int mrOK = 1;
    static constexpr int mrCancel = 2;

    static constexpr int kWidth = 441;
    static constexpr int kHeight = 223;

    // A modal child of p_formParent. p_sExeDir: the program's folder (pictures in its "image"
    // folder). p_screen: the size of the screen it is centred on; empty: the primary screen.
    TMessageForm(QWidget* p_formParent, const QString& p_sExeDir, const QSize& p_screen = QSize());

    // Places the buttons, centres the window, shows the texts and runs the modal loop until a
    // button closes the window (or the player takes it away). The modal result.
    int ShowModal();
    bool IsChecked() const;

    QString m_sMessage;
    QString m_sTitle;
    bool m_bCancelDisable = false;   // only OK, where Cancel stands
    QWidget* m_formParent;

    TPicture* imgBack;
    QLabel* lbTitle;
    QLabel* lbMessage;
    TPictureButton* btnOK;
    TPictureButton* btnCancel;
    QCheckBox* bsSkinCheckBox1;
    QWidget* paHiddenImage;
    TPicture* imgOkUp;
    TPicture* imgOkDown;
    TPicture* imgOkOver;
    TPicture* imgCancelUp;
    TPicture* imgCancelDown;
    TPicture* imgCancelOver;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TPictureButton* CreateButton(const QString& p_sName, const QRect& p_rtBox, int p_nModalResult,
                                 TPicture* p_up, TPicture* p_down, TPicture* p_over);
    TPicture* CreateStatePicture(const QString& p_sName, const QString& p_sFile, const QString& p_sLabel,
                                 TButtonState p_state);
    void PlaceButtons();
    void CenterOnScreen();

    QString m_sImageFolder;
    QSize m_szScreen;
};
