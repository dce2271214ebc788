#pragma once
// The demo's recorded narration, built into the program: every page's voice track (MP3) and
// the times of its phrases, as make-voice.sh measured them.

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

struct TPhrase {
    QString key;
    double startMs = 0.0;
    double endMs = 0.0;
};

struct TPageVoice {
    QString id;
    double lengthMs = 0.0;
    QByteArray mp3;
    std::vector<TPhrase> phrases;

    // A moment inside a phrase: fraction 0 is where it starts, 1 where it ends. Throws
    // std::out_of_range for a key the narration does not have.
    double At(const QString& key, double fraction = 0.0) const;
    double End(const QString& key) const { return At(key, 1.0); }
};

// Every page's voice by page id. Throws std::runtime_error when the built-in data is unreadable.
std::map<QString, TPageVoice> LoadDemoVoices();

// The short chime used as the demo's audio clip resource.
QByteArray LoadDemoChime();
