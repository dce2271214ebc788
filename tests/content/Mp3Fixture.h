#pragma once
// Real MP3 voice tracks for the tests, made at test time with sox (a tone of an exact number of
// samples) and lame (with or without the info tag that carries the exact length).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

inline bool HaveMp3Tools()
{
    return !QStandardPaths::findExecutable("sox").isEmpty() && !QStandardPaths::findExecutable("lame").isEmpty();
}

// Runs the program with its output discarded; true when it ended with status 0. Spawned through
// the C library rather than QProcess: Qt's own fork leaves the calling thread's locks unseen by
// ThreadSanitizer for the rest of the test, which then reports every access the thread makes
// under a lock (the threaded tests run under it).
inline bool RunQuietly(const QString& program, const QStringList& args)
{
    std::vector<QByteArray> words{program.toLocal8Bit()};
    for (const QString& arg : args) {
        words.push_back(arg.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
