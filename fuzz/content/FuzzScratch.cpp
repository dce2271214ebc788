#include "FuzzScratch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

QString FuzzScratchFolder()
{
    static QTemporaryDir folder;
    return folder.path();
}

QString WriteFuzzInput(const QString& relativePath, const uint8_t* data, size_t size)
{
    const QString path = QDir(FuzzScratchFolder()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        std::fprintf(stderr, "cannot write the fuzz input to %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void FuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}
