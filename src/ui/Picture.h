#pragma once
// A picture control: shows one picture at its top-left corner, or stretched over the whole
// control. Without a picture it shows nothing and its parent shows through. Tool buttons, their
// hidden state pictures, the bar backgrounds and the board's decorations are pictures.
// A picture file is read for the device pixel ratio of the screen the control is on (its "@2x"
// file above 1), and read again when the control moves to a screen of another ratio.

#include <QPixmap>
#include <QWidget>

class TPicture : public QWidget {
public:
    TPicture(QWidget* parent, const QString& p_sName);

    const QPixmap& GetPicture() const { return m_picture; }
    void SetPicture(const QPixmap& p_picture);
    // A picture read from the file by LoadPictureForRatio, read again at another ratio.
    void SetPicture(const QPixmap& p_picture, const QString& p_sPath);
    // Loads a picture file; a file that cannot be read leaves the control without a picture
    // and gives false.
    bool LoadPicture(const QString& p_sPath);
    void SetStretch(bool p_bStretch);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QString m_sPath;   // the file the picture was read from; empty for one given
    bool m_bStretch = false;
};

// The picture file as painted for a screen of the ratio, at the ratio of its pixels; null when
// it cannot be read.
QPixmap LoadPictureForRatio(const QString& p_sPath, qreal p_dRatio);
