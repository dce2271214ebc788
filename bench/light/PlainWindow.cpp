// light_plain_window PICTURE: one picture over the whole screen, painted as it is, and nothing
// else; the least a window that shows a board has to do before its first pixel is on screen.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class TPictureWindow : public QWidget {
public:
    explicit TPictureWindow(QImage p_image) : m_image(std::move(p_image)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: light_plain_window PICTURE\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "light_plain_window: cannot read %s\n", argv[1]);
        return 2;
    }
    TPictureWindow window(std::move(image));
    window.showFullScreen();
    return QApplication::exec();
}
