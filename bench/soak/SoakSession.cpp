// Writes the whole-program soak's session into a roaming folder: one lecture (key 1, type 1) of
// an hour's pages, each with its voice, the dense board work of the headless soak on a picture
// board, and picture resources placed, moved and resized now and then. Prints the launch text
// (free study) and, on the next line, the result the player hands off when it has played to the end.
//
// usage: QT_QPA_PLATFORM=offscreen bench_soak_session --roaming FOLDER [--minutes 60] [--pages 12]

#include "BenchSession.h"
#include "DemoPictures.h"
#include "content/Mp3Fixture.h"
#include "soak/BoardWork.h"

#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kVoiceRate = 8000;   // a low rate makes long tracks quickly
constexpr int kPictures = 2;
constexpr char kLaunchText[] = "R&S1&U1&1&0&1&S9|,|1";
constexpr char kResultText[] = "A&1&1&S9|,|1|,||,||,||,||,||,|&1&END";

// Ruled paper the size of the board, a tint of its own per page.
QByteArray BoardPicture(int page)
{
    QImage image(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((page * 29) % 360, 12, 250));
    QPainter painter(&image);
    painter.setPen(QColor(180, 200, 220));
    for (int y = 40; y < kBoardHeight; y += 40) {
        painter.drawLine(0, y, kBoardWidth, y);
    }
    return ToPng(image);
}

// A card of shapes in its own colours.
QByteArray ResourcePicture(int no)
{
    QImage image(320, 240, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv((no * 97) % 360, 60, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv((no * 97 + 180) % 360, 200, 200));
    painter.drawEllipse(40, 30, 160, 160);
    painter.drawRect(180, 100, 110, 110);
    return ToPng(image);
}

QByteArray PageDescription()
{
    QString text = QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                                  "<lectureimage type=\"LectureImage\" fileext=\".png\"/><resources>")
                       .arg(kBoardWidth)
                       .arg(kBoardHeight);
    for (int no = 1; no <= kPictures; ++no) {
        text += QStringLiteral("<resource no=\"%1\" name=\"%1.png\" type=\"PngImage\" deployed=\"true\" used=\"true\" "
                               "orderno=\"%1\" x=\"0\" y=\"0\" width=\"320\" height=\"240\"/>")
                    .arg(no);
    }
    return (text + QStringLiteral("</resources></root>")).toUtf8();
}

bool WritePage(const TPlayerState& state, const QString& id, int page, const QByteArray& packets, const QString& voice)
{
    const QString folder = BenchPageFolder(state, id);
    bool written = WriteBenchFile(JoinPath(folder, "pageinfo.xml"), PageDescription()) &&
                   WriteBenchFile(JoinPath(folder, "packet.dat"), packets) &&
                   WriteBenchFile(JoinPath(folder, "bgimg.png"), BoardPicture(page)) &&
                   QFile::copy(voice, JoinPath(folder, "sound.dat"));
    for (int no = 1; no <= kPictures; ++no) {
        written = written && WriteBenchFile(JoinPath(folder, "resource", QStringLiteral("%1.png").arg(no)), ResourcePicture(no));
    }
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QString roaming;
    int minutes = 60;
    int pages = 12;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--roaming") {
            roaming = args[i + 1];
        } else if (args[i] == "--minutes") {
            minutes = args[i + 1].toInt();
        } else if (args[i] == "--pages") {
            pages = args[i + 1].toInt();
        }
    }
    if (roaming.isEmpty() || minutes < 1 || pages < 1 || !HaveMp3Tools()) {
        std::fprintf(stderr, "usage: bench_soak_session --roaming FOLDER [--minutes 60] [--pages 12] (sox and lame needed)\n");
        return 2;
    }
    TPlayerState state;
    state.m_sBasePath = SessionBasePath(roaming, QStringLiteral("S1"), QStringLiteral("U1"));
    const int seconds = minutes * 60 / pages;
    const QString voice = JoinPath(roaming, "soak-voice.mp3");
    std::fprintf(stderr, "bench_soak_session: %d pages of %d s into %s\n", pages, seconds, qPrintable(state.m_sBasePath));
    if (!MakeMp3(voice, static_cast<int64_t>(seconds) * kVoiceRate, kVoiceRate)) {
        return 1;
    }
    QStringList ids;
    for (int page = 0; page < pages; ++page) {
        ids << QStringLiteral("p%1").arg(page, 3, 10, QLatin1Char('0'));
        const QByteArray packets = PacketFileBytes(TBoardWork(static_cast<uint32_t>(page + 1), kPictures).Make(seconds));
        if (!WritePage(state, ids.back(), page, packets, voice)) {
            std::fprintf(stderr, "bench_soak_session: cannot write page %s\n", qPrintable(ids.back()));
            return 1;
        }
    }
    if (!WriteBenchCatalogue(state, ids)) {
        return 1;
    }
    QFile::remove(voice);
    std::printf("%s\n%s\n", kLaunchText, kResultText);
    return 0;
}
