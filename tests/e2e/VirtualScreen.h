#pragma once
// An X server of its own (Xvfb picks a free display and says which), for programs that need a
// real window and real mouse and key events; stopped when the object goes.

#include <QProcess>
#include <QString>

class TVirtualScreen {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 800;

    TVirtualScreen() = default;
    ~TVirtualScreen();
    TVirtualScreen(const TVirtualScreen&) = delete;
    TVirtualScreen& operator=(const TVirtualScreen&) = delete;

    // false when Xvfb is missing or does not start.
    bool Start();
    // ":N", the value DISPLAY takes; empty before a successful start.
    const QString& Display() const { return m_sDisplay; }

private:
    QProcess m_server;
    QString m_sDisplay;
};
