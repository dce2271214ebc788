#include "session/LauncherFile.h"

#include "session/FileUtil.h"

#include <QSaveFile>

std::optional<TLauncherFileError> WriteLauncherLine(const QString& p_sPath, const QString& p_sLine)
{
    const QString folder = GetFilePath(p_sPath);
    if (!ForceFolder(folder)) {
        return TLauncherFileError{QStringLiteral("폴더를 만들 수 없습니다: %1").arg(folder)};
    }
    const QByteArray bytes = p_sLine.toLocal8Bit() + "\r\n";
    // A temporary file beside the target, renamed over it only once complete; never written in
    // place when no temporary file can be made there. The flush is checked here: a commit whose
    // own flush fails (a full disk) would still rename the cut-off text over the old file.
    QSaveFile file(p_sPath);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return TLauncherFileError{QStringLiteral("파일을 쓸 수 없습니다: %1 (%2)").arg(p_sPath, reason)};
    }
    return std::nullopt;
}
