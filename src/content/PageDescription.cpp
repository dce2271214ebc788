#include "content/PageDescription.h"

#include "content/XmlDom.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// One entry of "resources", read in the file's attribute order; empty when a number is missing
// or malformed (the entry is then not appended and the list ends there).
std::optional<TResourceInfo> ReadResourceInfo(const QDomElement& element)
{
    TResourceInfo info;
    const std::optional<int32_t> no = AttributeInt(element, QStringLiteral("no"));
    if (!no) {
        return std::nullopt;
    }
    info.ResourceNo = *no;
    info.ResourceName = AttributeTextOrEmpty(element, QStringLiteral("name"));
    info.ResourceType = AttributeTextOrEmpty(element, QStringLiteral("type"));
    info.Deployed = AttributeTextOrEmpty(element, QStringLiteral("deployed")) == QLatin1String("true");
    info.Used = AttributeTextOrEmpty(element, QStringLiteral("used")) == QLatin1String("true");
    const std::optional<int32_t> orderNo = AttributeInt(element, QStringLiteral("orderno"));
    const std::optional<float> x = AttributeFloat(element, QStringLiteral("x"));
    const std::optional<float> y = AttributeFloat(element, QStringLiteral("y"));
    const std::optional<float> width = AttributeFloat(element, QStringLiteral("width"));
    const std::optional<float> height = AttributeFloat(element, QStringLiteral("height"));
    if (!orderNo || !x || !y || !width || !height) {
        return std::nullopt;
    }
    info.OrderNo = *orderNo;
    info.x = *x;
    info.y = *y;
    info.width = *width;
    info.height = *height;
    return info;
}

} // namespace

// Names are made with a prefix letter for most lecture types and with none for the others; the
// number after it has at least nine digits, more for larger keys.
std::optional<int32_t> LectureKeyOfPage(const QString& pageName)
{
    const bool prefixed = !pageName.isEmpty() && pageName.front().isLetter();
    return DecimalStrToInt(pageName.mid(prefixed ? 1 : 0));
}

TLecturePageImage ChooseLecturePageImage(const QString& p_sImageType, const QString& p_sExtension,
                                         const QString& p_pFilePath, const QString& exeDir)
{
    const QString imageDir = JoinPath(exeDir, QStringLiteral("image"));
    if (p_sImageType == QLatin1String("WhiteNote")) {
        return {kBoardWhiteNote, JoinPath(imageDir, QStringLiteral("WhiteNoteFrameBG.png"))};
    }
    if (p_sImageType == QLatin1String("BlackBoard")) {
        return {kBoardBlackBoard, JoinPath(imageDir, QStringLiteral("BlackBoardFrameBG.png"))};
    }
    if (p_sImageType == QLatin1String("WhiteBorad")) {
        return {kBoardWhiteBoard, JoinPath(imageDir, QStringLiteral("WhiteBoardFrameBG.png"))};
    }
    for (const QString& name : {QStringLiteral("bgimg") + p_sExtension, QStringLiteral("bgimg.gif")}) {
        const QString path = JoinPath(p_pFilePath, name);
        // An extension holding a separator would lead out of the page's folder.
        if (IsPlainFileName(name) && QFileInfo::exists(path)) {
            return {kBoardPagePicture, path};
        }
    }
    return {kBoardPagePicture, JoinPath(p_pFilePath, QStringLiteral("bgimg.png"))};
}

TIntPoint WidenedBoardSize(const TIntPoint& surface, const TIntPoint& page)
{
    return TIntPoint{std::max(surface.X, page.X), std::max(surface.Y, page.Y)};
}

TPageDescription::TPageDescription() : m_rmResourceManager(std::make_unique<TResourceManager>()) {}

TPageInfoResult TPageDescription::LoadPageInfo(TPlayerState& state, const QString& p_sFilePath,
                                               const TLectureInfo& page, TPageBoardView& view)
{
    const std::optional<int32_t> lectureKey = LectureKeyOfPage(page.PageName);
    if (!lectureKey) {
        return {TPageInfoStop::LectureKey, 0};
    }
    state.m_intCurrentLectureKey = *lectureKey;
    return ReadDescription(state, p_sFilePath, page, view);
}

TPageInfoResult TPageDescription::ReadDescription(TPlayerState& state, const QString& basePath,
                                                  const TLectureInfo& page, TPageBoardView& view)
{
    const QString pageFolder = PageFolder(basePath, page.PageName, page.PageID);
    const std::optional<QDomDocument> document = LoadXmlDocument(JoinPath(pageFolder, QStringLiteral("pageinfo.xml")));
    if (!document) {
        return {TPageInfoStop::File, 0};
    }
    const QDomElement root = FindChildElement(*document, QStringLiteral("root"));
    if (root.isNull()) {
        return {TPageInfoStop::Root, 0};
    }

    const QDomElement pageInfo = FindChildElement(root, QStringLiteral("pageinfo"));
    const std::optional<int32_t> width = AttributeInt(pageInfo, QStringLiteral("width"));
    const std::optional<int32_t> height = AttributeInt(pageInfo, QStringLiteral("height"));
    if (!width || !height) {
        return {TPageInfoStop::PageInfo, 0};
    }
    const TIntPoint boardSize{*width, *height};
    if (*width < 1 || *height < 1 || *width > kMaxBoardSide || *height > kMaxBoardSide) {
        return {TPageInfoStop::BoardSize, 0, boardSize};
    }
    state.m_ptOriginalImage = boardSize;

    const QDomElement lectureImage = FindChildElement(root, QStringLiteral("lectureimage"));
    if (lectureImage.isNull()) {
        return {TPageInfoStop::LectureImage, 0};
    }
    const QString imageType = AttributeTextOrEmpty(lectureImage, QStringLiteral("type"));
    m_sBoardTypeText = imageType;
    view.SetFrameImage(imageType);
    view.ReMovePlayerView();
    const QString extension = AttributeTextOrEmpty(lectureImage, QStringLiteral("fileext"));

    const QDomElement resources = FindChildElement(root, QStringLiteral("resources"));
    if (resources.isNull()) {
        return {TPageInfoStop::Resources, 0};
    }

    LoadLecturePageImage(state, imageType, extension, pageFolder, view);

    m_listResourceInfo.clear();
    for (const QDomElement& entry : ChildElements(resources)) {
        std::optional<TResourceInfo> info = ReadResourceInfo(entry);
        if (!info) {
            return {TPageInfoStop::ResourceEntry, static_cast<int>(m_listResourceInfo.size()), boardSize};
        }
        m_listResourceInfo.push_back(std::move(*info));
    }

    auto manager = std::make_unique<TResourceManager>();
    manager->LoadResourceList(m_listResourceInfo, PageResourceFolder(basePath, page.PageName, page.PageID));
    m_rmResourceManager = std::move(manager);
    return {TPageInfoStop::None, static_cast<int>(m_listResourceInfo.size()), boardSize};
}

void TPageDescription::LoadLecturePageImage(TPlayerState& state, const QString& p_sImageType,
                                            const QString& p_sExtension, const QString& p_pFilePath,
                                            TPageBoardView& view)
{
    view.HidePointerStick();
    const TLecturePageImage image = ChooseLecturePageImage(p_sImageType, p_sExtension, p_pFilePath, state.m_sExeDir);
    state.m_nBoardType = image.boardType;
    m_sLectureImagePath = image.path;
    view.LoadLectureImage(image.path, image.boardType);
    const TIntPoint surface = view.GetBoardSurfaceSize();
    const TIntPoint widened = WidenedBoardSize(surface, state.m_ptOriginalImage);
    if (widened.X != surface.X || widened.Y != surface.Y) {
        view.SetBoardSurfaceSize(widened);
    }
    view.ReMovePlayerView();
    view.InvalidateBoard();
}
