// Page resources: items, their file paths and the manager's registry.

#include "ContentFixture.h"

#include "content/ResourceManager.h"
#include "session/FileUtil.h"

#include <vector>

namespace {

TResourceInfo Entry(int32_t no, const QString& type, int32_t orderNo = 0)
{
    TResourceInfo info;
    info.ResourceNo = no;
    info.ResourceType = type;
    info.OrderNo = orderNo;
    return info;
}

TEST(ResourceItemTest, FilePathIsFolderNumberAndTheExtensionOfTheKind)
{
    const QString folder = JoinPath("L", "Temp", "p1", "a", "resource");
    struct PathCase {
        uint8_t no;
        ResourceType kind;
        const char* fileName;
    };
    const std::vector<PathCase> cases = {
        {12, ResourceType::PngImage, "12.png"}, {7, ResourceType::MP3, "7.mp3"},
        {7, ResourceType::Shape, "7"},          {0, ResourceType::ResourceNone, "0"},
        {255, ResourceType::RichXML, "255.rxm"}, {3, ResourceType::JpgImage, "3.jpg"},
    };
    for (const PathCase& c : cases) {
        TResourceItem item(c.no, folder);
        item.SetResourceType(c.kind);
        EXPECT_EQ(item.GetResourceFilePath(), JoinPath(folder, c.fileName)) << c.fileName;
    }
}

TEST(ResourceItemTest, NewItemHasUnsetBoundsAndComparesByOrderNumber)
{
    TResourceItem first(1, "r");
    EXPECT_TRUE(IsUnsetRect(first.GetBounds()));
    EXPECT_FALSE(first.GetDeployed());
    EXPECT_EQ(first.GetResourceType(), ResourceType::ResourceNone);

    TResourceItem second(2, "r");
    first.SetOrderNo(2);
    second.SetOrderNo(5);
    EXPECT_EQ(first.CompareTo(second), -3);
    EXPECT_EQ(second.CompareTo(first), 3);
    first.SetOrderNo(255);
    second.SetOrderNo(0);
    EXPECT_EQ(first.CompareTo(second), 255);   // unsigned bytes, no wrap to -1
}

class ResourceBuildTest : public ScratchFolder {};

TEST_F(ResourceBuildTest, BuildResourceTakesKindNameAndCopyFromTheOutsideFile)
{
    WriteFileBytes(Path("outside/picture.jpeg"), "JPEGDATA");
    TResourceItem item(9, Path("page/resource"));
    item.BuildResource(Path("outside/picture.jpeg"));
    EXPECT_EQ(item.GetResourceType(), ResourceType::JpgImage);
    EXPECT_EQ(item.GetResourceName(), GetFullPath(Path("outside/picture.jpeg")));
    QFile copy(Path("page/resource/9.jpg"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("JPEGDATA"));
}

TEST(ResourceManagerTest, LoadingKeepsLowEightBitsAndTheKindFromTheTypeName)
{
    TResourceInfo info = Entry(300, "PngImage", 256);
    info.ResourceName = "clip name";
    info.Deployed = true;
    info.x = 1.5f;
    info.y = 2.5f;
    info.width = 30.0f;
    info.height = 40.0f;
    TResourceManager manager;
    manager.LoadResourceList({info, Entry(-1, "pngimage", 258), Entry(5, "MP3")}, "res");
    ASSERT_EQ(manager.GetResourceCount(), 3);

    const TResourceItem* first = manager.GetResourceItem(0);
    EXPECT_EQ(first->GetResourceNo(), 44);
    EXPECT_EQ(first->GetOrderNo(), 0);
    EXPECT_EQ(first->GetResourceType(), ResourceType::PngImage);
    EXPECT_EQ(first->GetResourceName(), "clip name");
    EXPECT_TRUE(first->GetDeployed());
    EXPECT_FALSE(first->GetUsed());
    EXPECT_EQ(first->GetBounds(), (TGPRectF{1.5f, 2.5f, 30.0f, 40.0f}));
    EXPECT_EQ(first->GetResourceFilePath(), JoinPath("res", "44.png"));

    const TResourceItem* second = manager.GetResourceItem(1);
    EXPECT_EQ(second->GetResourceNo(), 255);
    EXPECT_EQ(second->GetOrderNo(), 2);
    EXPECT_EQ(second->GetResourceType(), ResourceType::ResourceNone);   // misspelt: bare number
    EXPECT_EQ(second->GetResourceFilePath(), JoinPath("res", "255"));

    EXPECT_EQ(manager.FindResourceItem(5)->GetResourceType(), ResourceType::MP3);
    EXPECT_EQ(manager.FindResourceItem(6), nullptr);
}

TEST(ResourceManagerTest, FindReturnsTheFirstOfTwoWithTheSameNumber)
{
    TResourceManager manager;
    manager.LoadResourceList({Entry(7, "GifImage"), Entry(7, "PngImage")}, "res");
    EXPECT_EQ(manager.FindResourceItem(7), manager.GetResourceItem(0));
}

TEST(ResourceManagerTest, LoadingReplacesThePreviousItems)
{
    TResourceManager manager;
    manager.LoadResourceList({Entry(1, "GifImage"), Entry(2, "GifImage")}, "res");
    manager.LoadResourceList({}, "res");
    EXPECT_EQ(manager.GetResourceCount(), 0);
    EXPECT_EQ(manager.FindResourceItem(1), nullptr);
}

TEST(ResourceManagerTest, NextResourceNumberScansTheFirstCountMod256Items)
{
    struct NextCase {
        const char* name;
        std::vector<int32_t> numbers;
        uint8_t expected;
    };
    std::vector<int32_t> oneTo254;
    for (int32_t n = 1; n <= 254; ++n) {
        oneTo254.push_back(n);
    }
    std::vector<int32_t> all256 = oneTo254;
    all256.push_back(255);
    all256.push_back(0);
    std::vector<int32_t> beyond256 = all256;
    beyond256.push_back(1);   // 257 items: only the first one is scanned

    const std::vector<NextCase> cases = {
        {"empty", {}, 1},
        {"1 2 4", {1, 2, 4}, 3},
        {"0 and 255 do not count", {0, 255, 1}, 2},
        {"1 to 254 taken", oneTo254, 255},
        {"256 items: the 8-bit count is 0, nothing scanned", all256, 1},
        {"257 items: only the first scanned", beyond256, 2},
    };
    for (const NextCase& c : cases) {
        std::vector<TResourceInfo> entries;
        for (const int32_t n : c.numbers) {
            entries.push_back(Entry(n, "GifImage"));
        }
        TResourceManager manager;
        manager.LoadResourceList(entries, "res");
        EXPECT_EQ(manager.GetNextResourceNo(), c.expected) << c.name;
    }
}

TEST(ResourceManagerTest, CreateDeleteAndNextUnusedItem)
{
    TResourceManager manager;
    manager.LoadResourceList({Entry(1, "GifImage"), Entry(3, "GifImage")}, "res");
    TResourceItem* created = manager.CreateResource("other");
    EXPECT_EQ(created->GetResourceNo(), 2);
    EXPECT_EQ(created->GetPageResourcePath(), "other");
    EXPECT_EQ(manager.GetResourceItem(2), created);

    manager.GetResourceItem(0)->SetUsed(true);
    EXPECT_EQ(manager.GetNextUseResourceItem(), manager.GetResourceItem(1));

    std::unique_ptr<TResourceItem> taken = manager.DeleteResource(created);
    EXPECT_EQ(taken.get(), created);
    EXPECT_EQ(manager.GetResourceCount(), 2);
    EXPECT_EQ(manager.DeleteResource(created), nullptr);   // no longer listed

    for (int i = 0; i < manager.GetResourceCount(); ++i) {
        manager.GetResourceItem(i)->SetUsed(true);
    }
    EXPECT_EQ(manager.GetNextUseResourceItem(), nullptr);
    EXPECT_EQ(manager.GetLastUsedOrderNo(), 0);
}

} // namespace
