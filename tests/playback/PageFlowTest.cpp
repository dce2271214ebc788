// How pages follow one another and start: the end of a page while the learner holds the seek bar,
// ticks arriving inside the dialogs of a page start, packet files read only in part, the view of
// a new page, and how the catalogue's pages reach the tabs.

#include "PlaybackTestSupport.h"

namespace {

constexpr int kTicksPerDialog = 4;

enum class TReach : uint8_t { PlayOn, Tab, SeekInto };

class PageFlowTest : public PlaybackTest {
protected:
    // Ticks until the page index changes (or the session ends); false when it never did.
    bool PlayOnToTheNextPage()
    {
        const int32_t page = m_state.m_nCurrentPlayPageIndex;
        for (int i = 0; i < 200 && m_state.m_nCurrentPlayPageIndex == page; ++i) {
            Tick();
        }
        return m_state.m_nCurrentPlayPageIndex != page;
    }

    // Page b (index 1) as the learner reaches it: by playing on, by its tab, or by dropping the
    // seek bar this far into it.
    void ReachSecondPage(TReach p_reach, int32_t p_nSeekInto)
    {
        switch (p_reach) {
        case TReach::PlayOn:
            ASSERT_TRUE(PlayOnToTheNextPage());
            break;
        case TReach::Tab:
            m_view.SetPageTabIndex(1);
            m_engine->tabLecturePageClick(1);
            break;
        case TReach::SeekInto:
            m_engine->scbPlayMouseDown();
            m_view.m_nSeekPosition = StartOf(1) + p_nSeekInto;
            m_engine->scbPlayMouseUp();
            break;
        }
    }

    const TLectureInfo& PageInfo(size_t index) const { return m_engine->GetLectureInfoList()[index]; }
    int32_t StartOf(size_t index) const { return static_cast<int32_t>(PageInfo(index).StartFrameNo) * 36; }
};

// The learner holds the seek bar over the end of page a: page b starts all the same, and the
// release seeks from there.
TEST_F(PageFlowTest, PageEndWhileTheSeekBarIsHeldStartsTheNextPage)
{
    WriteSession({{{"a", SamplesOf(1500), {Packet(1, 0, 1)}},
                   {"b", SamplesOf(1500), {Packet(1, 0, 1), Packet(1, 0, 2)}}}});
    Start();
    m_engine->scbPlayMouseDown();
    ASSERT_TRUE(PlayOnToTheNextPage());
    EXPECT_EQ(m_engine->GetPacketFile().GetPacketList().size(), 2u);
    EXPECT_TRUE(m_state.m_bPlaying);
    Tick();
    EXPECT_EQ(ObjectCount(), 2);

    m_engine->scbPlayMouseUp();   // released where the bar stands
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_view.m_nTabIndex, 1);
    EXPECT_EQ(m_engine->GetPacketFile().GetPacketList().size(), 2u);
    EXPECT_EQ(ObjectCount(), 2);
    EXPECT_TRUE(m_view.IsFrameClockEnabled());
    EXPECT_EQ(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
    const uint32_t released = m_state.m_dCurrentPlayPosition;
    Tick();
    Tick();
    EXPECT_GT(m_state.m_dCurrentPlayPosition, released);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
}

struct TDialogCase {
    const char* name;
    TReach reach;
    bool voice;     // page b has a voice track (there is no fallback track)
    bool packets;   // page b has a packet file
    TMessageKind kind;
    QString message;
};

void PrintTo(const TDialogCase& c, std::ostream* out)
{
    *out << c.name;
}

class PageStartDialogTest : public PageFlowTest, public ::testing::WithParamInterface<TDialogCase> {};

// A modal dialog shown while page b starts lets timer ticks in; none of them may act on the
// half-started page: b is neither read as ended nor skipped, and b then plays.
TEST_P(PageStartDialogTest, TicksInsideTheDialogLeaveTheStartingPageAlone)
{
    const TDialogCase& c = GetParam();
    TPageSpec b{"b", c.voice ? SamplesOf(1500) : 0, {}};
    b.writePackets = c.packets;
    WriteSession({{{"a", SamplesOf(1500), {}}, b, {"c", SamplesOf(1500), {Packet(1, 0, 1)}}}});
    Start();
    std::vector<int32_t> pagesInDialogs;
    m_view.m_onModal = [&] {
        for (int i = 0; i < kTicksPerDialog; ++i) {
            Tick();
        }
        pagesInDialogs.push_back(m_state.m_nCurrentPlayPageIndex);
    };
    Tick();
    Tick();
    ReachSecondPage(c.reach, 500);
    m_view.m_onModal = nullptr;

    ASSERT_EQ(m_view.m_listMessages, (std::vector<std::pair<TMessageKind, QString>>{{c.kind, c.message}}));
    EXPECT_EQ(pagesInDialogs, std::vector<int32_t>{1});
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_TRUE(m_view.IsFrameClockEnabled());
    if (c.reach == TReach::SeekInto) {
        EXPECT_EQ(m_state.m_dCurrentPlayPosition, 500u);
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, StartOf(1) + 500);
    }
    if (!c.voice) {
        // A page without any voice has length 0: the next tick ends it and c follows.
        Tick();
        Tick();
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 2);
        EXPECT_EQ(ObjectCount(), 1);
        return;
    }
    const uint32_t started = m_state.m_dCurrentPlayPosition;
    Tick();
    Tick();
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_GT(m_state.m_dCurrentPlayPosition, started);
    EXPECT_EQ(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
}

const QString kNoPacketFile = QString::fromUtf8(kPacketFileMissingMessage);
const QString kVoiceError = QStringLiteral("음원 파일 재생중 오류발생");

INSTANTIATE_TEST_SUITE_P(
    Dialogs, PageStartDialogTest,
    ::testing::Values(
        TDialogCase{"SeekIntoAPageWithoutPacketFile", TReach::SeekInto, true, false, TMessageKind::Information,
                    kNoPacketFile},
        TDialogCase{"PlayingOnIntoAPageWithoutPacketFile", TReach::PlayOn, true, false, TMessageKind::Information,
                    kNoPacketFile},
        TDialogCase{"TabToAPageWithoutPacketFile", TReach::Tab, true, false, TMessageKind::Information, kNoPacketFile},
        TDialogCase{"PlayingOnIntoAPageWithoutVoice", TReach::PlayOn, false, true, TMessageKind::Error, kVoiceError},
        TDialogCase{"TabToAPageWithoutVoice", TReach::Tab, false, true, TMessageKind::Error, kVoiceError}),
    [](const ::testing::TestParamInfo<TDialogCase>& info) { return std::string(info.param.name); });

// A packet file that cannot be read whole is named in one message; the page then plays what
// could be read.
TEST_F(PageFlowTest, PacketFileReadOnlyInPartIsNamedAndThePagePlaysWhatWasRead)
{
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;   // given the path of packet.dat
        int objects;
    };
    const Case cases[] = {
        {"a folder", [](const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); }, 0},
        {"37 bytes: one record and five bytes",
         [](const QString& path) { WriteFileBytes(path, PacketFileBytes({Packet(1, 0, 1)}) + "extra"); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Renew();
        TPageSpec page{"a", SamplesOf(1500), {}};
        page.writePackets = false;
        WriteSession({{page}});
        const QString lecture = LectureNameOf(m_state.m_arrayLectureName[0]);
        const QString path = JoinPath(PageFolder(m_state.m_sBasePath, lecture, "a"), "packet.dat");
        c.make(path);
        Start();
        ASSERT_EQ(m_view.m_listMessages.size(), 1u);
        EXPECT_EQ(m_view.m_listMessages[0].first, TMessageKind::Warning);
        const QString& text = m_view.m_listMessages[0].second;
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Packet 파일"))) << text.toStdString();
        Tick();
        Tick();
        EXPECT_EQ(ObjectCount(), c.objects);
        EXPECT_GT(m_state.m_dCurrentPlayPosition, 0u);
        EXPECT_EQ(m_view.m_listMessages.size(), 1u);
    }
}

// The previous page left the view scrolled down; a new page starts at the board's top-left
// however it is reached.
TEST_F(PageFlowTest, NewPageStartsAtTheTopLeftOfItsBoard)
{
    for (const TReach reach : {TReach::PlayOn, TReach::Tab, TReach::SeekInto}) {
        SCOPED_TRACE(static_cast<int>(reach));
        Renew(QSize(640, 480));
        TPageSpec a{"a", SamplesOf(1500), {Packet(122, 0, 0, 1500, 1800)}};
        TPageSpec b{"b", SamplesOf(1500), {Packet(1, 0, 1), Packet(122, 20, 0, 900, 900)}};
        for (TPageSpec* page : {&a, &b}) {
            page->width = 2000;
            page->height = 2000;
        }
        WriteSession({{a, b}});
        Start();
        Tick();
        ASSERT_EQ(m_view.m_ptScrollOffset, QPoint(1180, 1560));
        ReachSecondPage(reach, 100);
        Tick();
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
        EXPECT_EQ(ObjectCount(), 1);
        EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(0, 0));
    }
}

// Comments and text between the page elements of a catalogue are no pages: the tabs and the
// pages played are the elements only.
TEST_F(PageFlowTest, CommentsAndTextBetweenCataloguePagesAreNoPages)
{
    WriteSession({{{"a", SamplesOf(1000), {}}, {"b", SamplesOf(1000), {}}}});
    WriteFileBytes(JoinPath(LectureFolder(m_state.m_sBasePath, m_state.m_arrayLectureName[0]), "lectureinfo.xml"),
                   "<root><pages><!-- first --><page id=\"a\" frames=\"1\"/>some text<!-- second -->"
                   "<page id=\"b\" frames=\"1\"/>\n  </pages></root>");
    Start();
    EXPECT_EQ(m_view.m_listTabCaptions, (QStringList{"1 p (00 : 01)", "2 p (00 : 01)"}));
    std::vector<QString> played{PageInfo(0).PageID};
    while (PlayOnToTheNextPage()) {
        played.push_back(PageInfo(static_cast<size_t>(m_state.m_nCurrentPlayPageIndex)).PageID);
    }
    EXPECT_EQ(played, (std::vector<QString>{"a", "b"}));
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, m_state.m_intAllMileSecond);
}

// Lectures whose catalogues hold no readable page: the learner is told, and nothing starts.
TEST_F(PageFlowTest, LecturesWithoutAReadablePageSaySoAndStartNothing)
{
    WriteSession({{{"a", SamplesOf(1000), {}}}, {{"b", SamplesOf(1000), {}}}});
    WriteFileBytes(JoinPath(LectureFolder(m_state.m_sBasePath, m_state.m_arrayLectureName[0]), "lectureinfo.xml"),
                   "<root><pages><page id=\"a\" frames=\"x\"/></pages></root>");
    WriteFileBytes(JoinPath(LectureFolder(m_state.m_sBasePath, m_state.m_arrayLectureName[1]), "lectureinfo.xml"),
                   "<root><pages>");
    m_engine = std::make_unique<TPlaybackEngine>(m_state, m_view);
    EXPECT_FALSE(m_engine->LoadLectureInfo(m_state.m_sBasePath));
    const std::pair<TMessageKind, QString> noPage{TMessageKind::Error, QStringLiteral("재생할 강의 페이지가 없습니다.")};
    EXPECT_EQ(m_view.m_listMessages, (std::vector<std::pair<TMessageKind, QString>>{noPage}));
    EXPECT_TRUE(m_view.m_listTabCaptions.isEmpty());
    EXPECT_EQ(m_view.m_nTabIndex, -1);
    EXPECT_FALSE(m_view.IsFrameClockEnabled());
    EXPECT_EQ(m_engine->GetPlayChannel(), 0u);
    EXPECT_FALSE(m_engine->HasBoardPicture());
    // A zoom step with no board does nothing.
    m_engine->ResizeingImage(true);
    EXPECT_EQ(m_state.m_viewRatio, 1.0f);
    EXPECT_TRUE(m_view.m_sStatusMessage.isEmpty());
}

} // namespace
