// light_first_paint --picture FILE [--timeout SECONDS] -- COMMAND [ARGS...]
// Starts the command in a process group of its own and polls the screen until the picture's
// commonest colour (the board's paper) covers a fifth of the screen's middle row or column;
// prints the milliseconds from the start to then. Then ends the processes the command started
// (so a launcher sees its player end and cleans up after itself), the command last.
// Exit 0 when the paper showed, 1 on timeout, 2 on bad arguments.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTolerance = 3;          // per channel: the screen's depth may round a little
constexpr double kCoverage = 0.2;      // of the middle row or column
constexpr auto kPollInterval = std::chrono::milliseconds(2);

QRgb CommonestColour(const QImage& p_image)
{
    std::map<QRgb, int> counts;
    const QImage image = p_image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            ++counts[image.pixel(x, y) | 0xFF000000u];
        }
    }
    QRgb best = 0;
    int bestCount = -1;
    for (const auto& [colour, count] : counts) {
        if (count > bestCount) {
            best = colour;
            bestCount = count;
        }
    }
    return best;
}

double Coverage(const QImage& p_strip, QRgb p_colour)
{
    const QImage strip = p_strip.convertToFormat(QImage::Format_RGB32);
    int matches = 0;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb pixel = strip.pixel(x, y);
            matches += std::abs(qRed(pixel) - qRed(p_colour)) <= kTolerance &&
                       std::abs(qGreen(pixel) - qGreen(p_colour)) <= kTolerance &&
                       std::abs(qBlue(pixel) - qBlue(p_colour)) <= kTolerance;
        }
    }
    const int total = strip.width() * strip.height();
    return total > 0 ? static_cast<double>(matches) / total : 0.0;
}

bool PaperShows(QScreen& p_screen, QRgb p_colour)
{
    const QSize size = p_screen.size();
    const QImage row = p_screen.grabWindow(0, 0, size.height() / 2, size.width(), 1).toImage();
    const QImage column = p_screen.grabWindow(0, size.width() / 2, 0, 1, size.height()).toImage();
    return Coverage(row, p_colour) >= kCoverage || Coverage(column, p_colour) >= kCoverage;
}

pid_t StartInOwnGroup(char** p_argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        execvp(p_argv[0], p_argv);
        std::perror("light_first_paint: exec");
        _exit(127);
    }
    return pid;
}

// The processes of the group other than its leader.
std::vector<pid_t> Followers(pid_t p_group)
{
    std::vector<pid_t> pids;
    DIR* proc = opendir("/proc");
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid > 0 && pid != p_group && getpgid(pid) == p_group) {
            pids.push_back(pid);
        }
    }
    if (proc) {
        closedir(proc);
    }
    return pids;
}

bool WaitForExit(pid_t p_pid, std::chrono::milliseconds p_limit)
{
    const Clock::time_point end = Clock::now() + p_limit;
    while (Clock::now() < end) {
        if (waitpid(p_pid, nullptr, WNOHANG) == p_pid) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void EndGroup(pid_t p_group)
{
    for (const pid_t pid : Followers(p_group)) {
        kill(pid, SIGTERM);
    }
    if (!WaitForExit(p_group, std::chrono::milliseconds(5000))) {
        kill(-p_group, SIGKILL);
        waitpid(p_group, nullptr, 0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QString picturePath;
    double timeoutSeconds = 20.0;
    int commandAt = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--picture" && i + 1 < argc) {
            picturePath = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--timeout" && i + 1 < argc) {
            timeoutSeconds = std::atof(argv[++i]);
        } else if (arg == "--") {
            commandAt = i + 1;
            break;
        }
    }
    if (picturePath.isEmpty() || commandAt < 0 || commandAt >= argc) {
        std::fprintf(stderr, "usage: light_first_paint --picture FILE [--timeout SECONDS] -- COMMAND [ARGS...]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage picture(picturePath);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (picture.isNull() || !screen) {
        std::fprintf(stderr, "light_first_paint: no picture %s or no screen\n", qPrintable(picturePath));
        return 2;
    }
    const QRgb paper = CommonestColour(picture);
    if (PaperShows(*screen, paper)) {
        std::fprintf(stderr, "light_first_paint: the paper's colour is on screen before the start\n");
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t group = StartInOwnGroup(argv + commandAt);
    const Clock::time_point end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    bool shown = false;
    while (!shown && Clock::now() < end) {
        shown = PaperShows(*screen, paper);
        if (!shown) {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    EndGroup(group);
    if (!shown) {
        std::fprintf(stderr, "light_first_paint: no board within %.1f s\n", timeoutSeconds);
        return 1;
    }
    std::printf("%.1f\n", ms);
    return 0;
}
