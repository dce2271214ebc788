#pragma once
// Real MP3 voice tracks for the tests, made at test time with sox (a tone of an exact number of
// samples) and lame (with or without the info tag that carries the exact length).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cstdint>

inline bool HaveMp3Tools()
{
    return !QStandardPaths::findExecutable("sox").isEmpty() && !QStandardPaths::findExecutable("lame").isEmpty();
}

inline bool RunQuietly(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Writes an MP3 of exactly `samples` sample frames at `rate` Hz to `path`.
inline bool MakeMp3(const QString& path, int64_t samples, int rate = 44100, bool tagged = true)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString wav = path + ".wav";
    QStringList lameArgs{"--quiet", "-b", "64"};
    if (!tagged) {
        lameArgs << "-t";
    }
    lameArgs << wav << path;
    const bool made = RunQuietly("sox", {"-R", "-r", QString::number(rate), "-c", "1", "-n", "-b", "16", wav, "synth",
                                         QStringLiteral("%1s").arg(samples), "sine", "440", "vol", "0.5"})
        && RunQuietly("lame", lameArgs);
    QFile::remove(wav);
    return made;
}
