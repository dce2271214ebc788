#pragma once
// ravo-tool run as a program on sessions written into a scratch data folder, for the video tests.

#include "playback/PlaybackTestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <functional>

struct TToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class VideoToolFixture : public PlaybackTest {
protected:
    void SetUp() override
    {
        PlaybackTest::SetUp();
        m_sRoaming = m_dir.filePath("roaming");
        m_state.m_sBasePath = SessionBasePath(m_sRoaming, "S1", "U1");
        m_state.m_sExeDir = QFileInfo(RAVO_TOOL_PATH).absolutePath();
    }

    // The tool with the scratch data folder; p_started is called once it runs.
    TToolRun RunTool(const QStringList& args, const std::function<void(QProcess&)>& p_started = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", m_sRoaming);
        process.setProcessEnvironment(environment);
        if (m_childSetUp) {
            process.setChildProcessModifier(m_childSetUp);
        }
        process.start(RAVO_TOOL_PATH, args);
        if (p_started && process.waitForStarted()) {
            p_started(process);
        }
        TToolRun run;
        if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
            run.exitCode = process.exitCode();
            run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
            run.err += QString::fromLocal8Bit(process.readAllStandardError());
        }
        return run;
    }

    QString m_sRoaming;
    // Run in the tool's process before it starts (limits, signals).
    std::function<void()> m_childSetUp;
    static inline const QString kLaunchText = QStringLiteral("R&S1&U1&1&0&1&S9|,|1");
};
