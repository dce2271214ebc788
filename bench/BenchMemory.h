#pragma once
// The resident memory of the benchmark's own process, as the kernel counts it.

#include <QByteArray>
#include <QFile>

// Megabytes resident now; 0 where /proc is not there.
inline double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0.0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return 0.0;
}
