#pragma once
// A virtual X display of the test's own (Xvfb on the first free display number), stopped when
// the object goes.

#include <QProcess>
#include <QSize>
#include <QString>

class TXvfbDisplay {
public:
    TXvfbDisplay() = default;
    ~TXvfbDisplay();
    TXvfbDisplay(const TXvfbDisplay&) = delete;
    TXvfbDisplay& operator=(const TXvfbDisplay&) = delete;

    // Starts the server with one screen of p_size; false when Xvfb is missing or does not start.
    bool Start(const QSize& p_size);
    // ":N", the value DISPLAY takes; empty before a successful start.
    const QString& Name() const { return m_sName; }

private:
    QProcess m_server;
    QString m_sName;
};
