#pragma once
// A main window on the tiny session, started through a shared block of this test run's own name,
// with dialogs that answer at once and record what they were asked; helpers that find its
// controls and tell which state picture a tool button shows. The window reads a layout of the
// test's own: by default one that only fixes the status bar and centres the board, so the tests
// see the built-in design and do not depend on the shipped layout.

#include "e2e/TinySession.h"

#include "content/Mp3Fixture.h"
#include "session/FileUtil.h"

#include "platform/audio/AudioLibrary.h"
#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/SharedBlock.h"
#include "session/LaunchParams.h"
#include "playback/PlaybackEngine.h"
#include "ui/BarReveal.h"
#include "ui/BoardArea.h"
#include "ui/CheckUpPanel.h"
#include "ui/ExScrollBox.h"
#include "ui/Form1.h"
#include "ui/Overlays.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/TitleView.h"
#include "ui/ToolActions.h"
#include "ui/ToolView.h"
#include "ui/Picture.h"
#include "ui/PictureButton.h"
#include "ui/TabSet.h"
#include "ui/ToolButtons.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>


inline constexpr char kBuiltInDesignLayout[] =
    R"(<root><titleview fix="false" showpos="0"/><playview aligncenter="true"/><statusview fix="true"/></root>)";

// Writes a layout file into p_folder and gives its path.
inline QString WriteLayoutFile(const QTemporaryDir& p_folder, const QString& p_sName, const QByteArray& p_bytes)
{
    const QString path = p_folder.filePath(p_sName);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(p_bytes);
    return path;
}

// A voice of 24 s for each page, room to seek and jump; empty without an mp3 encoder.
inline QString Voice24Path()
{
    static const QTemporaryDir folder;
    static const QString path = JoinPath(folder.path(), QStringLiteral("voice24.mp3"));
    static const bool made = HaveMp3Tools() && MakeMp3(path, 24 * 8000, 8000);
    return made ? path : QString();
}

class TFormTest : public ::testing::Test {
protected:
    static constexpr std::size_t kBlockSize = kResultTextOffset * 2;
    const QSize kScreen{1280, 800};

    void SetUp() override
    {
        ASSERT_TRUE(WriteTinySession(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), VoicePath()));
        TNamedEvent::Unlink(m_sEventName);
        ASSERT_TRUE(m_event.CreateOrOpen(m_sEventName));
        m_sLayoutFile = WriteLayoutFile(m_layoutFolder, QStringLiteral("ravo.xml"), kBuiltInDesignLayout);
    }

    void TearDown() override
    {
        m_form.reset();
        m_block.Close();
        m_event.Close();
        TSharedBlock::Unlink(m_sBlockName);
        TNamedEvent::Unlink(m_sEventName);
    }

    // The session's voice: the short tone, unless the test needs room to seek.
    virtual QString VoicePath() const { return QStringLiteral(RAVO_TEST_VOICE); }

    // Starts a window on the launch text; shown, as the program shows it after the start-up. The
    // program's folder (pictures, fallback voice) is the test program's unless one is given.
    TForm1& StartForm(const QString& p_sLaunchText, const QString& p_sExeDir = QString())
    {
        QByteArray bytes = p_sLaunchText.toLocal8Bit();
        bytes.append('\0');
        EXPECT_TRUE(m_block.Create(m_sBlockName, kBlockSize));
        EXPECT_TRUE(m_block.WriteBytes(0, bytes.constData(), static_cast<std::size_t>(bytes.size())));
        TForm1Options options;
        options.blockName = m_sBlockName;
        options.resultEventName = m_sEventName;
        options.screenSize = kScreen;
        options.exeDir = p_sExeDir;
        options.layoutFile = m_sLayoutFile;
        options.audioDevice = m_nAudioDevice;
        options.checkUpSeed = m_checkUpSeed;
        options.checkUpFirstRunMs = m_checkUpFirstRunMs;
        const TFormDialogs standard = TFormDialogs::Standard();
        options.dialogs.ShowMessage = [this, standard](QWidget* owner, TMessageKind kind, const QString& text) {
            m_listMessages.emplace_back(kind, text);
            if (m_bRealMessageBoxes) {
                standard.ShowMessage(owner, kind, text);
            }
        };
        options.dialogs.AskOkCancel = [this, standard](QWidget* owner, const QString& text) {
            m_listQuestions.push_back(text);
            return m_bRealMessageBoxes ? standard.AskOkCancel(owner, text) : m_bAnswerOk;
        };
        options.dialogs.Wait = [](int32_t) {};
        m_form = std::make_unique<TForm1>(std::move(options));
        m_form->FormCreate();
        m_form->show();
        return *m_form;
    }

    // Lets the window's timers and posted requests run until p_done holds; false when it still
    // does not after the time given.
    static bool WaitFor(const std::function<bool()>& p_done, int p_nMilliseconds = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!p_done() && clock.elapsed() < p_nMilliseconds) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return p_done();
    }

    // Lets the window run until it has closed; false when it is still open after the time given.
    bool WaitUntilClosed(int p_nMilliseconds = 20000)
    {
        return WaitFor([this] { return !m_form->isVisible(); }, p_nMilliseconds);
    }

    // The voice stays silent while the window's timers and posted requests run a while longer.
    static bool StaysSilent(TForm1& p_form)
    {
        const HSTREAM voice = p_form.Engine().GetPlayChannel();
        return !WaitFor([&] { return BASS_ChannelIsActive(voice) == kActivePlaying || p_form.State().m_bPlaying; }, 500);
    }

    // A control of the window by name and kind.
    template <class T>
    T* Control(const char* p_sName, TControlKind p_enumKind = TControlKind::Picture) const
    {
        return m_form->Controls().FindAs<T>(QLatin1String(p_sName), p_enumKind);
    }
    TPictureButton* Button(const char* p_sName) const { return Control<TPictureButton>(p_sName); }

    // The state picture a tool button shows ("imgPlayPrevOver"), or empty when it shows none of
    // its pictures.
    QString Shown(const TPictureButton* p_button) const
    {
        const qint64 key = p_button->GetPicture().cacheKey();
        for (const QString& name : AllStatePictureNames()) {
            const auto* picture = m_form->Controls().FindAs<TPicture>(name, TControlKind::Picture);
            if (picture && !picture->GetPicture().isNull() && picture->GetPicture().cacheKey() == key) {
                return name;
            }
        }
        return QString();
    }

    // The text at the result offset, up to its zero byte.
    QString HandedOffText() const
    {
        const std::vector<uint8_t> bytes = m_block.ReadBytes(kResultTextOffset, kBlockSize - kResultTextOffset);
        std::size_t length = 0;
        while (length < bytes.size() && bytes[length] != 0) {
            ++length;
        }
        return QString::fromLocal8Bit(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(length));
    }

    const std::string m_sBlockName = "ravo_test_ui_block_" + std::to_string(QCoreApplication::applicationPid());
    const std::string m_sEventName = "ravo_test_ui_result_" + std::to_string(QCoreApplication::applicationPid());
    TSharedBlock m_block;
    TNamedEvent m_event;
    QTemporaryDir m_layoutFolder;
    QString m_sLayoutFile;   // the layout the window reads; set before StartForm to read another
    int m_nAudioDevice = kNoSoundDevice;  // set before StartForm to try the sound device
    // Set before StartForm: the check-up's seed and its first run brought forward.
    std::optional<uint32_t> m_checkUpSeed;
    std::optional<int> m_checkUpFirstRunMs;
    std::unique_ptr<TForm1> m_form;
    bool m_bAnswerOk = true;
    // The window's messages and questions in real message boxes (recorded all the same).
    bool m_bRealMessageBoxes = false;
    std::vector<QString> m_listQuestions;
    std::vector<std::pair<TMessageKind, QString>> m_listMessages;
};
