// The layout reader on any "ravo.xml", applied to the controls of a real main window (built, not
// started; the offscreen platform serves). Whatever the file, the reader keeps its promises: the
// view flags it did not reach stay clear, it never shows a control, every top- or bottom-aligned
// control spans its parent, and no box leaves the range a window can hold.

#include "FuzzScratch.h"

#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/Form1.h"
#include "ui/SkinLayoutReader.h"

#include "session/FileUtil.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <cstdlib>

namespace {

const QSize kScreen(1280, 800);

QString ImageFolder()
{
    return JoinPath(FuzzScratchFolder(), QStringLiteral("image"));
}

// The window and a picture folder with one picture under a name the seeds use. Both live as long
// as the process: nothing of the window's is torn down after the application at exit.
TForm1& Window()
{
    static TForm1* form = nullptr;
    if (!form) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_skin_layout";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        QDir().mkpath(ImageFolder());
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        picture.save(JoinPath(ImageFolder(), QStringLiteral("imgPlayUp.png")));
        TForm1Options options;
        options.screenSize = kScreen;
        form = new TForm1(std::move(options));
    }
    return *form;
}

// The controls that start hidden and that only the player itself shows.
const char* const kHiddenControls[] = {"paHiddenControlGroup", "paProposalView", "paEvaluationView", "paErrorView",
                                       "paGradeView", "paHelpView", "paCheckUp", "imgPointerStick", "imgPresentDetail"};

void CheckBoxes(const QWidget& p_widget)
{
    for (const QWidget* child : p_widget.findChildren<QWidget*>()) {
        const QRect box = child->geometry();
        FuzzCheck(std::abs(box.x()) <= TSkinLayoutReader::kMaxExtent && std::abs(box.y()) <= TSkinLayoutReader::kMaxExtent,
                  "boxes stay where a window can hold them");
        const TAlign align = TAlignEngine::GetAlign(child);
        if ((align == TAlign::Top || align == TAlign::Bottom) && !child->isHidden() && child->parentWidget() &&
            !child->isWindow()) {
            FuzzCheck(box.width() == child->parentWidget()->width(), "top and bottom bars span their parent");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TForm1& form = Window();
    const QString path = WriteFuzzInput(QStringLiteral("ravo.xml"), data, size);
    TPlayerState state;
    const TSkinLayoutTarget target{form.Controls(), form.Aligner(), kScreen, ImageFolder()};
    const TSkinReadResult result = TSkinLayoutReader(state, target).LoadSkinInfo(path);

    const bool anyFlag = state.m_bTitleViewFix || state.m_bPlayerViewCenterAlign || state.m_bStatusViewFix;
    FuzzCheck(!(anyFlag && (result.stop == TSkinStop::BrokenXml || result.stop == TSkinStop::NoRoot)),
              "a file that cannot be read sets no flag");
    FuzzCheck((result.stop == TSkinStop::None) == result.where.isEmpty(), "a stop says where");
    for (const char* name : kHiddenControls) {
        const auto* control = qobject_cast<const QWidget*>(form.Controls().Find(QLatin1String(name)));
        FuzzCheck(control && control->isHidden(), "the reader never shows a control");
    }
    CheckBoxes(form);
    return 0;
}
