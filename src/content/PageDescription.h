#pragma once
// The page description ("pageinfo.xml"): board size, board kind and picture, and the page's
// resource list, read step by step before a page plays. A step that fails ends the reading
// silently: what earlier steps set stays, everything later keeps the previous page's state.

#include "content/ResourceManager.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// What the page description asks of the window: frame pictures, board placement, the pointer,
// the board picture and the board surface. The window (or a headless engine) implements it.
class TPageBoardView {
public:
    virtual ~TPageBoardView() = default;
    // Loads the frame pieces that belong to a board kind text.
    virtual void SetFrameImage(const QString& p_sFrameImageType) = 0;
    // Sizes and places the framed board for the current board size and zoom.
    virtual void ReMovePlayerView() = 0;
    // A new page starts without the pointer picture.
    virtual void HidePointerStick() = 0;
    // Releases the previous board picture and loads this one; a missing file paints nothing.
    virtual void LoadLectureImage(const QString& path, int32_t boardType) = 0;
    // The board surface's size in pixels, and setting it.
    virtual TIntPoint GetBoardSurfaceSize() const = 0;
    virtual void SetBoardSurfaceSize(const TIntPoint& size) = 0;
    virtual void InvalidateBoard() = 0;
};

// Board kinds (m_nBoardType).
constexpr int32_t kBoardWhiteNote = 1;
constexpr int32_t kBoardBlackBoard = 2;
constexpr int32_t kBoardPagePicture = 3;
constexpr int32_t kBoardWhiteBoard = 4;

struct TLecturePageImage {
    int32_t boardType = kBoardPagePicture;
    QString path;
};

// The board kind and picture for a "type" text: the three pattern boards come from the
// program's image folder; anything else is the page's own "bgimg" + extension, else
// "bgimg.gif", else "bgimg.png" (taken without a further check).
TLecturePageImage ChooseLecturePageImage(const QString& p_sImageType, const QString& p_sExtension,
                                         const QString& p_pFilePath, const QString& exeDir);

// The board surface after a page of size `page`: each side grows to the page's, never shrinks.
TIntPoint WidenedBoardSize(const TIntPoint& surface, const TIntPoint& page);

// The largest board side a page may ask for; larger boards cannot be held in memory.
constexpr int32_t kMaxBoardSide = 16384;

// Where a reading stopped. Everything before the step named here was applied.
enum class TPageInfoStop : uint8_t {
    None,            // read to the end
    LectureKey,      // the page name carries no lecture number: nothing read
    File,            // missing or not XML
    Root,            // no "root"
    PageInfo,        // no "pageinfo" or a missing / malformed "width" or "height"
    BoardSize,       // a width or height not between 1 and kMaxBoardSide: the board stays as it was
    LectureImage,    // no "lectureimage"
    Resources,       // no "resources"
    ResourceEntry,   // an entry with a missing / malformed number: the list keeps the ones before
};

struct TPageInfoResult {
    TPageInfoStop stop = TPageInfoStop::None;
    int resourceEntriesRead = 0;   // entries appended before the reading ended
    TIntPoint boardSize;           // the size the page asked for, once read
};

// Board size, kind and lecture key live on the shared state record; the resource list, the
// resource manager and the board picture's path live here, replaced as each page is read.
class TPageDescription {
public:
    TPageDescription();

    // Reads the description of `page` under the session base path into `state` and this object,
    // calling out to `view` on the way.
    TPageInfoResult LoadPageInfo(TPlayerState& state, const QString& p_sFilePath, const TLectureInfo& page,
                                 TPageBoardView& view);

    // Hides the pointer, chooses kind and picture, has the view load the picture, widens the board
    // surface to the page's size (never narrows it), places the board and invalidates it.
    void LoadLecturePageImage(TPlayerState& state, const QString& p_sImageType, const QString& p_sExtension,
                              const QString& p_pFilePath, TPageBoardView& view);

    const std::vector<TResourceInfo>& GetResourceInfoList() const { return m_listResourceInfo; }
    TResourceManager& GetResourceManager() const { return *m_rmResourceManager; }
    const QString& GetLectureImagePath() const { return m_sLectureImagePath; }
    const QString& GetBoardTypeText() const { return m_sBoardTypeText; }

private:
    TPageInfoResult ReadDescription(TPlayerState& state, const QString& basePath, const TLectureInfo& page,
                                    TPageBoardView& view);

    std::vector<TResourceInfo> m_listResourceInfo;
    std::unique_ptr<TResourceManager> m_rmResourceManager;
    QString m_sLectureImagePath;
    QString m_sBoardTypeText;
};

// The lecture number of a page: its PageName after the prefix letter (when it has one) as an
// integer, whatever its number of digits.
std::optional<int32_t> LectureKeyOfPage(const QString& pageName);
