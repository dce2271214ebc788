#include "e2e/XvfbDisplay.h"

#include <QStandardPaths>

namespace {

constexpr int kStartLimitMs = 15000;

} // namespace

TXvfbDisplay::~TXvfbDisplay()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }
}

bool TXvfbDisplay::Start(const QSize& p_size)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty()) {
        return false;
    }
    // The server picks a free display and writes its number on the given descriptor: standard
    // output here.
    const QString screen = QStringLiteral("%1x%2x24").arg(p_size.width()).arg(p_size.height());
    m_server.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted(kStartLimitMs)) {
        return false;
    }
    QByteArray number;
    while (!number.contains('\n') && m_server.waitForReadyRead(kStartLimitMs)) {
        number += m_server.readAllStandardOutput();
    }
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (!ok) {
        return false;
    }
    m_sName = QStringLiteral(":%1").arg(display);
    return true;
}
