#pragma once
// ravo-tool run as a program on sessions written into a scratch data folder, for the video tests.

#include "playback/BoardFrame.h"
#include "playback/PlaybackTestSupport.h"
#include "video/VideoExport.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <cmath>
#include <functional>

// A frame's board area against ravo-tool render: within the codec's error.
constexpr double kMinPsnr = 35.0;

inline double Psnr(const QImage& a, const QImage& b)
{
    double squares = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                squares += static_cast<double>(d) * d;
            }
        }
    }
    const double mse = squares / (3.0 * a.width() * a.height());
    return mse == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

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

    // The board as ravo-tool render draws it at the session moment, against the part of the frame
    // where the framed board stands (boards that are not scrolled).
    void ExpectFrameShowsBoard(const QImage& p_frame, uint32_t p_at, float p_zoom)
    {
        const QString png = m_dir.filePath(QStringLiteral("render-%1.png").arg(p_at));
        ASSERT_EQ(RunTool({"render", "--text", m_sLaunchText, "--at", QString::number(p_at), "--zoom",
                           QString::number(p_zoom), "-o", png})
                      .exitCode,
                  0);
        const QImage board = QImage(png).convertToFormat(QImage::Format_RGB32);
        // The render is the board at the zoom, which the frame surrounds.
        const QRect framed = PlaceFramedBoard({p_frame.size(), 0, false, BoardCentred()}, {board.width(), board.height()}, 1.0f);
        const QPoint origin = framed.topLeft() + QPoint(kBoardFrameMargin, kBoardFrameMargin);
        const QRect shown = QRect(origin, board.size()) & p_frame.rect();
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_GE(Psnr(p_frame.copy(shown), board.copy(shown.translated(-origin))), kMinPsnr);
    }

    bool BoardCentred() const { return LayoutCentresBoard(JoinPath(m_state.m_sExeDir, "ravo.xml")); }

    QString m_sRoaming;
    QString m_sLaunchText = kLaunchText;
    // Run in the tool's process before it starts (limits, signals).
    std::function<void()> m_childSetUp;
    static inline const QString kLaunchText = QStringLiteral("R&S1&U1&1&0&1&S9|,|1");
};
