#include "e2e/VirtualScreen.h"

#include <QElapsedTimer>

namespace {

constexpr int kStartLimitMs = 60000;

} // namespace

bool TVirtualScreen::Start()
{
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(kWidth).arg(kHeight),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted(10000)) {
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_server.canReadLine() && clock.elapsed() < kStartLimitMs && m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(500);
    }
    const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
    m_sDisplay = number.isEmpty() ? QString() : QLatin1Char(':') + number;
    return !m_sDisplay.isEmpty();
}

TVirtualScreen::~TVirtualScreen()
{
    if (m_server.state() == QProcess::NotRunning) {
        return;
    }
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished();
    }
}
