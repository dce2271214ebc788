#pragma once
// A picture control: shows one picture at its top-left corner, or stretched over the whole
// control. Without a picture it shows nothing and its parent shows through. Tool buttons, their
// hidden state pictures, the bar backgrounds and the board's decorations are pictures.

#include <QPixmap>
#include <QWidget>

class TPicture : public QWidget {
public:
    TPicture(QWidget* parent, const QString& p_sName);

    const QPixmap& GetPicture() const { return m_picture; }
    void SetPicture(const QPixmap& p_picture);
    // Loads a picture file; a file that cannot be read leaves the control without a picture
    // and gives false.
    bool LoadPicture(const QString& p_sPath);
    void SetStretch(bool p_bStretch);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    bool m_bStretch = false;
};
