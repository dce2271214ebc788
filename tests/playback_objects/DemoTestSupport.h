#pragma once
// The demo session played by the engine of a test: written by the demo library, or by
// ravo-tool make-demo into a data folder as the tools find it.

#include "ObjectsTestSupport.h"

#include "DemoLecture.h"

class DemoPlaybackTest : public PlaybackTest {
protected:
    // Writes the demo below the scratch folder and starts it, in study mode "R" (the demo's own
    // launch text asks for "A").
    void StartDemo()
    {
        const QString base = m_dir.filePath("demo");
        QString error;
        ASSERT_TRUE(WriteDemoSession(base, &error).has_value()) << error.toStdString();
        UseDemoSession(base, QStringLiteral("R"));
    }

    // Writes the demo with ravo-tool make-demo into the data folder and starts it, in the demo's
    // own study mode "A".
    void StartToolDemo(const QString& roaming)
    {
        ASSERT_EQ(RunRavoTool(roaming, {"make-demo"}).exitCode, 0);
        UseDemoSession(SessionBasePath(roaming, kDemoSchoolKey, kDemoUserKey), QStringLiteral("A"));
    }

    void SeekTo(uint32_t ms)
    {
        m_state.m_bClickTabLecturePage = true;
        m_state.m_intCurrentMilesSecond = static_cast<int32_t>(ms);
        m_engine->ScbPlayMovePositionUntilReDraw(ms);
    }

private:
    void UseDemoSession(const QString& base, const QString& studyMode)
    {
        ASSERT_FALSE(ApplyLaunchText(QString::fromLatin1(kDemoLaunchText), m_state).has_value());
        g_studyInfo.study_mode = studyMode;
        m_state.m_sBasePath = base;
        m_state.m_sExeDir = QStringLiteral(RAVO_BIN_DIR);   // the default skin's marker pictures
        Start();
    }
};
