#include "ui/ShellLook.h"

#include <QLabel>

namespace ShellLook {

namespace {

// The accents of a look: the selected tab, its rim when the tabs are locked, the slider's filled
// part.
struct TAccents {
    const char* selectedTab;
    const char* lockedRim;
    const char* sliderFill;
};

constexpr TAccents kAccents[kBarLookCount] = {
    {"#2F6FD0", "#3D6FB8", "#4AA3FF"},
    {"#1F8A7A", "#2A9D8C", "#3CC7B4"},
};

const char* const kBarStyleTemplate = R"(
QTabBar { background: transparent; }
QTabBar::tab {
    color: #9AA3B2; background: #232935; border: none;
    padding: 3px 14px; margin: 3px 2px 0 2px;
    border-top-left-radius: 5px; border-top-right-radius: 5px;
}
QTabBar::tab:selected { color: #FFFFFF; background: %1; }
QTabBar::tab:hover:!selected { background: #2C3342; }
QTabBar::tab:disabled { color: #555D6B; background: transparent; }
QTabBar::tab:selected:disabled { color: #AEB6C4; background: transparent; border-bottom: 2px solid %2; }
QSlider::groove:horizontal { height: 4px; background: #3A4150; border-radius: 2px; }
QSlider::sub-page:horizontal { background: %3; border-radius: 2px; }
QSlider::handle:horizontal {
    background: #E8EEF8; width: 12px; height: 12px; margin: -4px 0; border-radius: 6px;
}
QSlider::handle:horizontal:hover { background: #FFFFFF; }
QToolButton { border: none; border-radius: 4px; background: transparent; }
QToolButton:hover { background: #2C3342; }
QToolTip { color: #E6EAF0; background: #2A303B; border: 1px solid #46505F; padding: 3px 6px; }
)";

} // namespace

QString BarStyle(int p_nSkinIndex)
{
    const TAccents& accents = kAccents[p_nSkinIndex == 1 ? 1 : 0];
    return QString::fromLatin1(kBarStyleTemplate)
        .arg(QLatin1String(accents.selectedTab), QLatin1String(accents.lockedRim), QLatin1String(accents.sliderFill));
}

void SetLabelLook(QLabel* p_label, const QColor& p_color, int p_nPixelSize, bool p_bBold)
{
    QPalette palette = p_label->palette();
    palette.setColor(QPalette::WindowText, p_color);
    p_label->setPalette(palette);
    QFont font = p_label->font();
    font.setPixelSize(p_nPixelSize);
    font.setBold(p_bBold);
    p_label->setFont(font);
}

const char* const kDialogStyle = R"(
QMessageBox { background: #1E232C; }
QMessageBox QLabel { color: #E6EAF0; font-size: 14px; }
QPushButton {
    color: #E6EAF0; background: #2C3342; border: 1px solid #46505F; border-radius: 5px;
    padding: 6px 22px; min-width: 64px;
}
QPushButton:hover { background: #364052; }
QPushButton:pressed { background: #232935; }
QPushButton:default { background: #2F6FD0; border-color: #3D7DE0; color: #FFFFFF; }
QPushButton:default:hover { background: #3A7BE0; }
)";

} // namespace ShellLook
