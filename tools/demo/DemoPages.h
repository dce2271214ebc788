#pragma once
// The pages of the demo session: what each board shows and when, timed to the narration.

#include "DemoVoice.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

struct TDemoResource {
    int no = 0;
    QString typeName;                    // as the page description names the kind: "PngImage", ...
    QByteArray data;
    QRectF box;
};

struct TDemoPage {
    QString id;                          // also the page's folder name
    QString boardType;                   // "WhiteNote", "BlackBoard", "WhiteBorad" or "LectureImage"
    QString boardPictureExt;             // extension of bgimg for a picture board, else empty
    QByteArray boardPicture;             // the page's own board picture (PNG), else empty
    QSize board;
    QByteArray voice;                    // MP3
    double voiceMs = 0.0;
    double lastCommandMs = 0.0;
    QByteArray packets;                  // the packet file
    std::vector<TDemoResource> resources;
};

struct TDemoLecture {
    QString key;                         // lecture key of the launch text
    std::vector<TDemoPage> pages;
};

// Both lectures with all their pages. Throws std::exception when the narration and the page
// scripts disagree or the built-in data is unreadable.
std::vector<TDemoLecture> BuildDemoLectures();
