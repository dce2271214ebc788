#include "ui/ToolTips.h"

#include "platform/Rounding.h"
#include "playback/PlaybackEngine.h"

TToolTipTexts ToolTipTexts(const TPlayerState& p_state, int32_t p_nVolume, bool p_bSupervised)
{
    const int32_t speed = p_state.m_intPlaySpeed;
    const double ratio = p_state.m_viewRatio;
    TToolTipTexts tips;
    tips.trbVolume = QStringLiteral("음성볼륨 : %1%").arg(p_nVolume);
    tips.btnPlay = p_state.m_bPlaying ? QStringLiteral("%1% 배속으로 재생중").arg(speed + 100)
                                      : QStringLiteral("일시정지중");
    if (speed >= TPlaybackEngine::kSpeedLimit) {
        tips.btnPlaySpeedUp = QStringLiteral("최대 200% 배속 까지만 지원됩니다.");
    } else if (p_bSupervised && speed >= TPlaybackEngine::kSpeedLimitSupervised) {
        tips.btnPlaySpeedUp = QStringLiteral("이 학습에서는 최대 %1% 배속 까지만 지원됩니다.")
                                  .arg(TPlaybackEngine::kSpeedLimitSupervised + 100);
    } else {
        tips.btnPlaySpeedUp = QStringLiteral("클릭시 %1% 배속으로 UP").arg(speed + 110);
    }
    tips.btnPlaySpeedDown = speed <= 0 ? QStringLiteral("최소 100% 배속 까지만 지원됩니다.")
                                       : QStringLiteral("클릭시 %1% 배속으로 DOWN").arg(speed + 90);
    tips.btnEnLarge = ratio >= 2.0 ? QStringLiteral("최대 200% 까지만 확대가 가능합니다.")
                                   : QStringLiteral("클릭시 %1% 로 확대").arg(RoundHalfEven((ratio + 0.1) * 100.0));
    tips.btnReduce = ratio > 1.0 ? QStringLiteral("클릭시 %1% 로 축소").arg(RoundHalfEven((ratio - 0.1) * 100.0))
                                 : QStringLiteral("원본 크기 이하로는 축소할수 없습니다.");
    tips.btnPlayNext = p_bSupervised ? QStringLiteral("이 학습에서는 10초 앞으로 이동할 수 없습니다.")
                                     : QStringLiteral("10초 앞으로 이동");
    return tips;
}
