// ravo-tool info --text LAUNCH_TEXT: the session's pages as the catalogue builds them (one
// tab-separated line each: PageNo, PageName, PageID, StartFrameNo, FrameCount,
// PlayMileSeconds), then the total. Lectures whose catalogue stopped early are named on stderr.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "content/LectureCatalogue.h"


#include <cstdio>

namespace {

const char* StopText(TCatalogueStop stop)
{
    switch (stop) {
    case TCatalogueStop::None:
        return "read";
    case TCatalogueStop::File:
        return "catalogue missing or not XML";
    case TCatalogueStop::Root:
        return "no \"root\" element";
    case TCatalogueStop::Pages:
        return "no \"pages\" element";
    case TCatalogueStop::Frames:
        return "a page without a valid \"frames\"";
    case TCatalogueStop::PageId:
        return "a page whose \"id\" cannot be a folder name";
    }
    return "";
}

} // namespace

int RunInfoCommand(const QStringList& args)
{
    if (args.size() != 2 || args[0] != QLatin1String("--text")) {
        ToolError(QStringLiteral("usage: ravo-tool info --text LAUNCH_TEXT"));
        return kToolExitUsage;
    }
    std::optional<TPlayerState> session = ReadToolSession(args[1]);
    if (!session) {
        return kToolExitProblem;
    }
    TPlayerState& state = *session;

    TLectureCatalogue catalogue;
    std::vector<TLectureReadResult> lectures;
    {
        const TToolAudio audio;
        if (!audio.IsReady()) {
            return kToolExitProblem;
        }
        lectures = catalogue.LoadLectureInfo(state);
    }

    std::printf("PageNo\tPageName\tPageID\tStartFrameNo\tFrameCount\tPlayMileSeconds\n");
    for (const TLectureInfo& page : catalogue.GetLectureInfoList()) {
        std::printf("%d\t%s\t%s\t%u\t%u\t%d\n", page.PageNo, page.PageName.toLocal8Bit().constData(),
                    page.PageID.toLocal8Bit().constData(), page.StartFrameNo, page.FrameCount, page.PlayMileSeconds);
    }
    std::printf("total\t%d\t%s\n", state.m_intAllMileSecond,
                FormatPlayTime(static_cast<uint32_t>(state.m_intAllMileSecond)).toLocal8Bit().constData());
    std::fflush(stdout);
    for (const TLectureReadResult& lecture : lectures) {
        if (lecture.stop != TCatalogueStop::None) {
            ToolError(QStringLiteral("%1: stopped after %2 pages: %3")
                          .arg(lecture.lectureName)
                          .arg(lecture.pagesRead)
                          .arg(QString::fromLatin1(StopText(lecture.stop))));
        }
    }
    return kToolExitOk;
}
