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
