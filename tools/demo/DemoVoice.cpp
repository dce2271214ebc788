#include "DemoVoice.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

namespace {

QByteArray ReadBuiltIn(const QString& name)
{
    QFile file(QStringLiteral(":/demo/voice/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("built-in demo file missing: " + name.toStdString());
    return file.readAll();
}

TPageVoice PageFromJson(const QJsonObject& page)
{
    TPageVoice voice;
    voice.id = page.value("id").toString();
    voice.lengthMs = page.value("lengthMs").toDouble();
    voice.mp3 = ReadBuiltIn(page.value("voice").toString());
    for (const QJsonValue& value : page.value("phrases").toArray()) {
        const QJsonObject phrase = value.toObject();
        voice.phrases.push_back(
            {phrase.value("key").toString(), phrase.value("startMs").toDouble(), phrase.value("endMs").toDouble()});
    }
    return voice;
}

} // namespace

double TPageVoice::At(const QString& key, double fraction) const
{
    for (const TPhrase& phrase : phrases)
        if (phrase.key == key)
            return phrase.startMs + (phrase.endMs - phrase.startMs) * fraction;
    throw std::out_of_range("no phrase " + key.toStdString() + " on page " + id.toStdString());
}

std::map<QString, TPageVoice> LoadDemoVoices()
{
    QJsonParseError error;
    const QJsonDocument timing = QJsonDocument::fromJson(ReadBuiltIn("timing.json"), &error);
    if (timing.isNull())
        throw std::runtime_error("demo timing unreadable: " + error.errorString().toStdString());
    std::map<QString, TPageVoice> voices;
    for (const QJsonValue& page : timing.object().value("pages").toArray()) {
        TPageVoice voice = PageFromJson(page.toObject());
        voices[voice.id] = std::move(voice);
    }
    return voices;
}

QByteArray LoadDemoChime() { return ReadBuiltIn("chime.mp3"); }
