// Writes the pictures of the default skin into an image folder, each at scale 1 under its own
// name and at scale 2 under its "@2x" name:
//   ravo-skin-gen <image folder>
// Exit 0 when every picture was written.

#include "SkinArt.h"

#include "platform/graphics/DevicePixels.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool WriteAll(const QDir& folder, const std::vector<TSkinPicture>& pictures)
{
    for (const TSkinPicture& picture : pictures) {
        const QString name = folder.filePath(picture.fileName);
        const QString path = SkinScale() == 1 ? name : HighResolutionFileName(name);
        if (!picture.image.save(path, "PNG")) {
            std::fprintf(stderr, "ravo-skin-gen: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Text on the buttons needs the font database, hence a GUI application (offscreen is fine).
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: ravo-skin-gen <image folder>\n");
        return 2;
    }
    QDir folder(args.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "ravo-skin-gen: cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }
    for (const int scale : {1, 2}) {
        SetSkinScale(scale);
        const bool ok = WriteAll(folder, MakeDeskBackgrounds()) && WriteAll(folder, MakeBoardPatterns())
                        && WriteAll(folder, MakeFramePieces()) && WriteAll(folder, MakeMarkerPictures())
                        && WriteAll(folder, MakeMessageWindowPictures()) && WriteAll(folder, MakeToolButtonPictures())
                        && WriteAll(folder, MakeSoundPictures()) && WriteAll(folder, MakeBarBackgrounds())
                        && WriteAll(folder, MakePanelPictures()) && WriteAll(folder, MakeHelpPages());
        if (!ok) {
            return 1;
        }
    }
    return 0;
}
