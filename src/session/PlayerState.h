#pragma once
// The main window's shared state: a plain record owned by the window and handed by reference to
// the parts (playback, view, tool bar, feedback, check-up) that read or change it.

#include "platform/GPGeometry.h"
#include "session/CommDefine.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// An integer point (the unzoomed board size).
struct TIntPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

struct TPlayerState {
    // Session paths and lectures.
    QString m_sExeDir;                       // folder of the program file, no trailing separator
    QString m_sBasePath;                     // the session's lecture data folder
    QStringList m_arrayLectureName;          // lecture file names, one per lecture

    // Time line (milliseconds) and current page.
    int32_t m_intCurrentMilesSecond = 0;     // session position
    int32_t m_intFlowMilesSecond = 0;        // furthest position reached
    int32_t m_intAllMileSecond = 0;          // session length
    uint32_t m_dCurrentPlayPosition = 0;     // position within the current page
    int32_t m_nCurrentPlayPageIndex = 0;
    int32_t m_intPlaySpeed = 0;              // tempo change in percent

    // Playback and window flags.
    bool m_bPlaying = false;                 // voice playing
    bool m_bClickTabLecturePage = false;     // a seek is under way
    bool m_bSelfStudyMessageBox = false;     // self-study prompt already shown
    bool m_bCompulsionClose = false;         // close without asking
    bool m_bActivateView = false;            // a panel or message window is open over the board
    bool m_bClosing = false;                 // the window is closing: nothing starts again

    int32_t m_intCurrentLectureKey = 0;      // number of the current page's lecture

    // View.
    float m_viewRatio = 1.0f;                // zoom factor 1.0 to 2.0
    TGPPointF m_ptViewPoint;                 // focus point of the board
    TGPRectF m_viewScreenRect;               // visible part of the board
    TIntPoint m_ptOriginalImage;             // unzoomed board size
    int32_t m_nBoardType = 0;
    int32_t m_intSkinIndex = 0;              // current board skin

    // Tool bar: shown, and hover picture already shown on a button.
    bool m_bToolShow = false;
    bool m_bIsRectPlaybtn = false;
    bool m_bIsRectPlaySpeedDownbtn = false;
    bool m_bIsRectPlaySpeedUpbtn = false;
    bool m_bIsRectEnLargebtn = false;
    bool m_bIsRectReducebtn = false;

    // Layout options from the layout file.
    bool m_bTitleViewFix = false;
    bool m_bStatusViewFix = false;
    bool m_bPlayerViewCenterAlign = false;
    int32_t m_nShowPostion = 0;

    // Participation check-up.
    int32_t RandomPositionX = 0;
    int32_t RandomPositionY = 0;
    int32_t m_nCheckUpRunCount = 0;
    int32_t m_nCheckUpWaitCount = 0;
    int32_t m_nCheckUpSleepCount = 0;
    int32_t m_nCheckUpTimeCount = 0;
    int32_t m_nFlickerCount = 0;
};
