#include "MakeDemo.h"

#include "DemoLecture.h"

#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QSaveFile>

#include <cstdio>

namespace {

// The launch text as the launcher's fallback file holds it: one line, CR LF, 8-bit encoding.
bool WriteFallbackFile(const QString& path, QString* error)
{
    ForceFolder(GetFilePath(path));
    QSaveFile file(path);
    const QByteArray line = QString::fromLatin1(kDemoLaunchText).toLocal8Bit() + "\r\n";
    if (file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

void PrintSummary(const QString& basePath, const TDemoSummary& summary)
{
    std::fprintf(stderr, "demo session in %s: %lld pages, %.1f s\n", qPrintable(basePath),
                 static_cast<long long>(summary.pages.size()), summary.totalMs / 1000.0);
    for (const QString& page : summary.pages)
        std::fprintf(stderr, "  %s\n", qPrintable(page));
}

} // namespace

int RunMakeDemo(const QStringList& args)
{
    QString basePath;
    if (args.size() == 2 && args.at(0) == "--base") {
        basePath = args.at(1);
    } else if (!args.isEmpty()) {
        std::fprintf(stderr, "usage: ravo-tool make-demo [--base FOLDER]\n");
        return 2;
    }
    const QString roaming = GetSpecialFolder("ROAMING");
    const bool intoDataFolder = basePath.isEmpty();
    if (intoDataFolder)
        basePath = SessionBasePath(roaming, kDemoSchoolKey, kDemoUserKey);

    QString error;
    const std::optional<TDemoSummary> summary = WriteDemoSession(basePath, &error);
    if (!summary || (intoDataFolder && !WriteFallbackFile(LaunchFallbackFile(roaming), &error))) {
        std::fprintf(stderr, "make-demo: %s\n", qPrintable(error));
        return 1;
    }
    PrintSummary(basePath, *summary);
    std::printf("%s\n", kDemoLaunchText);
    return 0;
}
