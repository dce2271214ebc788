// The catalogue reader on any "lectureinfo.xml": the input is the catalogue of the first of two
// lectures; the second, sound lecture must always be read, and the time line must add up.

#include "FuzzScratch.h"

#include "content/LectureCatalogue.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

namespace {

// Every track measures 7 frames; no audio library is involved.
std::vector<int32_t> SevenFrames(const QStringList& paths)
{
    return std::vector<int32_t>(static_cast<size_t>(paths.size()), 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TPlayerState state;
    state.m_sBasePath = JoinPath(FuzzScratchFolder(), QStringLiteral("lecture"));
    state.m_sExeDir = FuzzScratchFolder();
    state.m_arrayLectureName = QStringList{QStringLiteral("A000000001.wyl"), QStringLiteral("A000000002.wyl")};
    WriteFuzzInput(QStringLiteral("lecture/Temp/A000000001/lectureinfo.xml"), data, size);
    static const QByteArray kSecond = "<root><pages><page id=\"last\" frames=\"1\"/></pages></root>";
    WriteFuzzInput(QStringLiteral("lecture/Temp/A000000002/lectureinfo.xml"),
                   reinterpret_cast<const uint8_t*>(kSecond.constData()), static_cast<size_t>(kSecond.size()));

    TLectureCatalogue catalogue;
    const std::vector<TLectureReadResult> results = catalogue.LoadLectureInfo(state, SevenFrames);
    const std::vector<TLectureInfo>& pages = catalogue.GetLectureInfoList();
    FuzzCheck(results.size() == 2 && results[1].stop == TCatalogueStop::None, "the second lecture is read");
    FuzzCheck(!pages.empty() && pages.back().PageID == QLatin1String("last"), "the second lecture's page is last");
    FuzzCheck(pages.size() == static_cast<size_t>(results[0].pagesRead + 1), "pages are counted");
    int64_t total = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        FuzzCheck(pages[i].PageNo == static_cast<int32_t>(i), "pages are numbered in order");
        FuzzCheck(pages[i].StartFrameNo == 7 * i && pages[i].FrameCount == 7, "the time line adds up");
        total += pages[i].PlayMileSeconds;
    }
    FuzzCheck(total == state.m_intAllMileSecond, "the total is the sum of the pages");
    FuzzCheck(catalogue.GetPageCaptions().size() == static_cast<qsizetype>(pages.size()), "one caption per page");
    return 0;
}
