#include "ui/ShellLook.h"

namespace ShellLook {

const char* const kBarStyle = R"(
QTabBar { background: transparent; }
QTabBar::tab {
    color: #9AA3B2; background: #232935; border: none;
    padding: 3px 14px; margin: 3px 2px 0 2px;
    border-top-left-radius: 5px; border-top-right-radius: 5px;
}
QTabBar::tab:selected { color: #FFFFFF; background: #2F6FD0; }
QTabBar::tab:hover:!selected { background: #2C3342; }
QTabBar::tab:disabled { color: #555D6B; background: transparent; }
QTabBar::tab:selected:disabled { color: #AEB6C4; background: transparent; border-bottom: 2px solid #3D6FB8; }
QSlider::groove:horizontal { height: 4px; background: #3A4150; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #4AA3FF; border-radius: 2px; }
QSlider::handle:horizontal {
    background: #E8EEF8; width: 12px; height: 12px; margin: -4px 0; border-radius: 6px;
}
QSlider::handle:horizontal:hover { background: #FFFFFF; }
QToolButton { border: none; border-radius: 4px; background: transparent; }
QToolButton:hover { background: #2C3342; }
QToolTip { color: #E6EAF0; background: #2A303B; border: 1px solid #46505F; padding: 3px 6px; }
)";

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
