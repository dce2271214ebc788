// The page description reader on any "pageinfo.xml", then the resource lookups the packet
// interpreter makes for every resource number.

#include "FuzzScratch.h"

#include "content/PageDescription.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

namespace {

class SilentView : public TPageBoardView {
public:
    void SetFrameImage(const QString&) override {}
    void ReMovePlayerView() override {}
    void HidePointerStick() override {}
    void LoadLectureImage(const QString&, int32_t) override {}
    TIntPoint GetBoardSurfaceSize() const override { return surface; }
    void SetBoardSurfaceSize(const TIntPoint& size) override { surface = size; }
    void InvalidateBoard() override {}

    TIntPoint surface{0, 0};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TLectureInfo page;
    page.PageName = QStringLiteral("A000000001");
    page.PageID = QStringLiteral("p");
    const QString base = JoinPath(FuzzScratchFolder(), QStringLiteral("lecture"));
    WriteFuzzInput(QStringLiteral("lecture/Temp/A000000001/p/pageinfo.xml"), data, size);

    TPlayerState state;
    state.m_sExeDir = FuzzScratchFolder();
    SilentView view;
    TPageDescription description;
    const TPageInfoResult result = description.LoadPageInfo(state, base, page, view);
    FuzzCheck(result.resourceEntriesRead == static_cast<int>(description.GetResourceInfoList().size()),
              "entries are counted");
    const TResourceManager& manager = description.GetResourceManager();
    FuzzCheck(result.stop != TPageInfoStop::None || manager.GetResourceCount() == result.resourceEntriesRead,
              "a complete reading hands every entry to the manager");
    for (int number = 0; number < 256; ++number) {
        if (const TResourceItem* item = manager.FindResourceItem(static_cast<uint8_t>(number))) {
            FuzzCheck(item->GetResourceFilePath().startsWith(
                          PageResourceFolder(base, page.PageName, page.PageID)), "resource files stay in their folder");
        }
    }
    FuzzCheck(manager.GetNextResourceNo() >= 1, "resource numbers start at 1");
    return 0;
}
