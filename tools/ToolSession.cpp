#include "ToolSession.h"

#include "ToolCommands.h"

#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QCoreApplication>

std::optional<TPlayerState> ReadToolSession(const QString& launchText)
{
    TPlayerState state;
    state.m_sExeDir = QCoreApplication::applicationDirPath();
    if (const std::optional<TLaunchError> error = ApplyLaunchText(launchText, state)) {
        ToolError(error->Message);
        return std::nullopt;
    }
    state.m_sBasePath = SessionBasePath(GetSpecialFolder(QStringLiteral("ROAMING")), g_studyInfo.school_key,
                                        g_studyInfo.user_key);
    return state;
}

TToolAudio::TToolAudio() : m_bReady(BASS_Init(kNoSoundDevice, 44100, 0, nullptr, nullptr) != kFalse)
{
    if (!m_bReady) {
        ToolError(QStringLiteral("the audio library could not be initialised"));
    }
}

TToolAudio::~TToolAudio()
{
    if (m_bReady) {
        BASS_Free();
    }
}

std::unique_ptr<TToolBoard> TToolBoard::Open(const QString& launchText, const QString& command, float zoom,
                                             qreal scale)
{
    std::optional<TPlayerState> session = ReadToolSession(launchText);
    if (!session) {
        return nullptr;
    }
    std::unique_ptr<TToolBoard> board(new TToolBoard);
    if (!board->m_audio.IsReady()) {
        return nullptr;
    }
    board->m_state = *session;
    board->m_state.m_viewRatio = zoom;
    board->m_engine = std::make_unique<TPlaybackEngine>(board->m_state, board->m_view);
    board->m_engine->SetBoardOnly();
    board->m_engine->SetDevicePixelRatio(scale);
    if (!board->m_engine->LoadLectureInfo(board->m_state.m_sBasePath) || board->m_engine->GetLectureInfoList().empty()) {
        ToolError(QStringLiteral("ravo-tool %1: the session has no page to play").arg(command));
        return nullptr;
    }
    return board;
}
