#pragma once
// The playback engine: the session's pages, the current page's description, resources, packets,
// drawing objects and voice; the packet interpreter, the frame clock, seeking, page navigation,
// the transport controls and the zoom rebuild. It reaches the window only through TPlaybackView,
// draws on its board surface (TBoardSurface: the cached image the window paints from) and
// announces page starts and zoom steps to the listeners attached to it (TPlaybackListener).
// Everything runs on the thread that owns the engine: the window's, or a worker's for a
// board-only engine.

#include "content/LectureCatalogue.h"
#include "content/PacketFile.h"
#include "content/PageDescription.h"
#include "draw/DrawManager.h"
#include "draw/DrawParent.h"
#include "platform/audio/AudioLibrary.h"
#include "playback/BoardSurface.h"
#include "playback/PlaybackListener.h"
#include "playback/PlaybackView.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class TDrawStrokes;
class TResourceManager;

// What LoadLectureInfo shows when the session's lectures hold no readable page.
extern const char* const kNoPlayablePageMessage;   // "재생할 강의 페이지가 없습니다."

// Where a seek to a session position lands: the page (its index in the page list) and the
// position within it. The target frame decides the page: a position in the last half frame
// before a page's first frame rounds into that page and starts it at 0. A position that rounds
// to the end of the session or beyond stands at the end of the last page. The list is not empty.
struct TSeekLanding {
    size_t page = 0;          // index in the page list
    uint32_t position = 0;    // milliseconds within the page
};
TSeekLanding FindSeekLanding(const std::vector<TLectureInfo>& p_listPages, uint32_t p_dPlayPosition);

// The zoom one zoom step up or down from the ratio, as the zoom buttons step it; the ratio itself
// at the end of the range.
float SteppedZoom(float p_fRatio, bool p_bIncrease);

class TPlaybackEngine {
public:
    // The volume bar's value at start-up: every voice plays at the bar's value, the first too.
    static constexpr int32_t kVolumeStart = 50;
    // The speed's upper limit in percent above 100, in supervised study and in the other modes.
    static constexpr int32_t kSpeedLimitSupervised = 30;
    static constexpr int32_t kSpeedLimit = 100;

    TPlaybackEngine(TPlayerState& p_state, TPlaybackView& p_view);
    ~TPlaybackEngine();
    TPlaybackEngine(const TPlaybackEngine&) = delete;
    TPlaybackEngine& operator=(const TPlaybackEngine&) = delete;

    // ---- Board-only engines

    // From now on the engine only rebuilds boards (previews, notes): it loads and plays no voice,
    // opens no audio clip and so never calls the audio library, which another engine may be
    // using from another thread. Its board's image is rendered only where asked for
    // (EnsureBoardRendered: a warm-up's tiles, a tool's picture), never at once by a rebuild.
    // Called before the first page starts.
    void SetBoardOnly()
    {
        m_bBoardOnly = true;
        m_board.SetRenderOnDemand();
    }
    // Takes the page list another engine read (the catalogue measures every voice with the audio
    // library) instead of reading the catalogue; no page is started: the first seek starts one.
    // (The benchmark gives its playing engine pages of a set length this way.)
    void UsePageList(std::vector<TLectureInfo> p_listPages);

    // ---- Listeners

    // Attaches a listener for the engine's life (it goes before the engine's other parts); the
    // listeners hear the announcements in the order they were attached.
    void AttachListener(std::unique_ptr<TPlaybackListener> p_listener);

    // ---- Catalogue and page start

    // Builds the page list, the totals, the tabs and the seek bar range, then selects the first
    // tab and starts the first page. false when the session has lectures but no page could be
    // read, or no page's voice (nor the program's fallback voice) could be measured: nothing is
    // started then, and GetLoadProblem says why, as the message shown said it.
    bool LoadLectureInfo(const QString& p_sBasePath);
    const QString& GetLoadProblem() const { return m_sLoadProblem; }
    // The tab bar's click, by the learner (also on the tab of the page playing) or by the program
    // setting another index: starts the page of the tab from its beginning (idle for an index
    // below 0 or while a seek is under way).
    void tabLecturePageClick(int32_t p_nIndex);
    // Loads the page's description, voice and packets, starts the voice and empties the board.
    void LecturePlay(const QString& p_sBasePath, int32_t p_nPageIndex);

    // ---- Voice

    bool LoadPageSound(const QString& p_sBasePath, int32_t p_nPageIndex);
    // Starts the voice; nothing once the window is closing (m_bClosing).
    void PlaySound();
    void PauseSound();
    void StopSound();

    // ---- Frame clock and packet interpreter

    // One tick of tmFramePlay. A tick that arrives while the engine is starting a page, seeking or
    // ticking (a modal dialog shown on the way lets ticks in), or once the window is closing, does
    // nothing.
    void tmFramePlayTimer();
    // Live: p_boolInvalidate true, p_bUntilDraw false. Rebuild: false, true.
    void PacketPlay(const TPacketItem& p_piPacketItem, bool p_boolInvalidate, bool p_bUntilDraw);
    // Scrolls so that the point is visible, centring it when it is not.
    void ScroolBoxToCenterPoint(const TGPPointF& p_ClientPoint);
    // Sets the scroll offset directly.
    void ScroolBoxMovePoint(const TGPPointF& p_ClientPoint);

    // ---- Seeking

    // Seeks to a session position: the page it lies in (started when it is another page) and the
    // position within it. A position that rounds to the end of the session stands at the end of
    // the last page, its board complete.
    void ScbPlayMovePositionUntilReDraw(uint32_t p_dPlayPosition);
    void RedrawUntilMP3FrameNo(uint32_t p_u32MP3FrameNo);
    // The rebuild carried on: plays in rebuild mode the page's packets due up to the frame on the
    // board as it stands, follows the focus point and shows the board. After a rebuild at an
    // earlier frame of the page, the board stands as a rebuild at this frame leaves it.
    void RedrawOnUntilMP3FrameNo(uint32_t p_u32MP3FrameNo);
    void btnPlayPrevMouseUp();
    void btnPlayNextMouseUp();
    void scbPlayMouseDown();
    void scbPlayMouseUp();
    void scbPlayUpButtonClick();
    void scbPlayDownButtonClick();

    // ---- Transport controls

    void btnPlayMouseUp();
    void btnPlaySpeedDownMouseUp();
    void btnPlaySpeedUpMouseUp();
    // The volume bar was released at p_nValue (0..100).
    void trbVolumeMouseUp(int32_t p_nValue);

    // ---- Zoom

    // One zoom step and the rebuild at the current position, in the current page and in its play
    // state; nothing before a board picture is loaded. The window then only places its frame
    // (through ReMovePlayerView of the view).
    void ResizeingImage(bool p_bIncrease);

    // ---- Board

    // The board is drawn at the screen's device pixel ratio (the window moved to a screen of
    // another ratio, or a tool's scale): the figures kept at the old one go, and the part on
    // screen is drawn again at once. Board-only engines are given theirs before any page starts.
    void SetDevicePixelRatio(qreal p_dRatio);
    // The board surface: board picture and drawing objects (not the pointer), its cached image
    // and the stroke cache it draws through.
    TBoardSurface& Board() { return m_board; }
    const TBoardSurface& Board() const { return m_board; }
    // What the window asks of the board surface: the image it paints from, rendered for a
    // rectangle before painting it; whether a board picture is loaded; the board at the zoom.
    const QImage& GetBoardImage() const { return m_board.GetImage(); }
    void EnsureBoardRendered(const QRect& p_rt) { m_board.EnsureRendered(p_rt); }
    bool HasBoardPicture() const { return m_board.HasBoardPicture(); }
    QSize GetBoardSize() const { return m_board.GetBoardSize(); }
    QImage GetRenderedBoard() { return m_board.RenderedBoard(); }

    // How long the last rebuild took: replaying the packets, and rendering the part of the
    // rebuilt board on screen (the rest is rendered later).
    struct TRebuildTiming {
        double replaySeconds = 0.0;
        double renderSeconds = 0.0;
    };
    TRebuildTiming GetLastRebuildTiming() const { return m_rebuildTiming; }

    // ---- Access for the window and the tests

    const std::vector<TLectureInfo>& GetLectureInfoList() const;
    const TDrawManager& GetDrawManager() const { return m_dmDrawManager; }
    const TPacketFile& GetPacketFile() const { return m_pfPacketFile; }
    TResourceManager& GetResourceManager() const;
    HSTREAM GetPlayChannel() const { return m_playChannel; }

private:
    class TBoardViewAdapter;

    // ---- Interpreter: one handler per command family, each running in the mode PacketPlay set.
    // The object families (shapes, pictures, audio clips, rich text, pop-blinkers) live in
    // PacketObjectCommands.cpp.
    void PlayStrokeCommand(const TPacketItem& p_pi);
    void PlayLineCommand(const TPacketItem& p_pi);
    void PlayViewCommand(const TPacketItem& p_pi);
    void PlayShapeCommand(const TPacketItem& p_pi);
    void PlayImageCommand(const TPacketItem& p_pi);
    void PlayMP3Command(const TPacketItem& p_pi);
    void PlayRichXMLCommand(const TPacketItem& p_pi);
    void PlayPopBlinkerCommand(const TPacketItem& p_pi);

    TDrawStrokes* CreateStrokes(uint32_t p_u32DrawNo);
    void AddStrokePoint(TDrawStrokes& p_strokes, const TGPPointF& p_pt);
    void EndStroke(TDrawStrokes& p_strokes);
    void UndoStroke(TDrawStrokes& p_strokes);
    static bool AtRecordedScale(const TDrawStrokes& p_strokes);

    // ---- Steps shared by the command handlers

    TGPPointF Scaled(float p_fX, float p_fY) const;
    // (FP1, FP2, FP3, FP4) scaled as x, y, width, height.
    TGPRectF ScaledRect(const TPacketItem& p_pi) const;
    // Follow: in live mode scroll the point into view; in both modes record it.
    void FollowPoint(const TGPPointF& p_pt);
    // Record: the focus point, without scrolling.
    void RecordPoint(const TGPPointF& p_pt);
    // Repaint: in live mode, render what changed since the last repaint and show it.
    void RepaintBoard();
    // The first object registered under the number, if it is of the kind T; else none, so that a
    // command aimed at an object of another family is skipped.
    template <class T>
    T* FindDraw(uint32_t p_u32DrawNo) const
    {
        return dynamic_cast<T*>(FindDrawByDrawNo(p_u32DrawNo));
    }
    TDrawParent* FindDrawByDrawNo(uint32_t p_u32DrawNo) const;
    // Registers a new object on top of the drawing order (its area changes).
    void AddDraw(std::unique_ptr<TDrawParent> p_dpDraw);
    // Deletes an object from the board (its area changes).
    void DeleteDraw(TDrawParent* p_dpDraw);
    void DeleteAllDraw();
    // In live mode, the area the object paints now waits for the next repaint. Called before and
    // after every change of an object.
    void MarkChanged(const TDrawParent* p_dpDraw);
    // Move: keeps the size; left and top := (FP1, FP2) scaled. Returns the new top-left.
    TGPPointF MoveDraw(TDrawParent& p_dpDraw, const TPacketItem& p_pi);
    // Resize: bounds := the scaled rectangle. Returns its top-left.
    TGPPointF ResizeDraw(TDrawParent& p_dpDraw, const TPacketItem& p_pi);
    // The board surface handed to new objects.
    TPaintBoxHandle BoardHandle() { return m_board.Handle(); }

    // ---- Page start, frame clock, seeking, transport

    // Says why the catalogue starts nothing; false.
    bool RefuseToStart(const QString& p_sProblem);
    // The page start of a tab: pauses, moves to the page's first frame and starts the page.
    void StartPageFromItsBeginning(int32_t p_nIndex);
    void ShowPacketLoadProblem(const TPacketLoadResult& p_result, const QString& p_sPath);
    void ShowBoardSizeProblem(const TPageInfoResult& p_result, const QString& p_sPageFolder);
    bool SelfStudyDue(const TLectureInfo& p_page) const;
    bool AskSelfStudyAndGoOn();
    void EndOfPage();
    void ReadVoicePosition(const TLectureInfo& p_page);
    void SetCurrentPosition(int32_t p_intPosition);
    void PlayDuePackets();
    void CheckEndOfSession();
    void SeekForward10Seconds();
    // The voice and the board stand at the current page position; the clock runs again.
    void RebuildAtPagePosition();
    void MoveVoiceTo(uint32_t p_dPagePosition);
    void ChangeSpeed(int32_t p_nSpeed);
    // m_bPlaying := p_bPlaying, and the window shows it.
    void SetPlaying(bool p_bPlaying);
    void ShowSpeedTexts();

    // ---- Announcements

    // Where the board stands now in the page, for the listeners.
    TBoardPlace PlaceAt(int32_t p_nPageIndex) const;
    template <class TCall>
    void Announce(TCall&& p_call)
    {
        for (const std::unique_ptr<TPlaybackListener>& listener : m_listListeners) {
            p_call(*listener);
        }
    }

    static constexpr int32_t kStopSoundWaitMs = 500;

    struct TDrawNoEntry {
        TDrawParent* first = nullptr;   // the object the lookup reaches
        uint32_t count = 0;             // objects registered under the number
    };

    TPlayerState& m_state;
    TPlaybackView& m_view;
    std::unique_ptr<TBoardViewAdapter> m_boardViewAdapter;

    TLectureCatalogue m_lcCatalogue;               // m_listLectureInfo
    TPageDescription m_pdPageDescription;          // resource list and manager of the page
    TPacketFile m_pfPacketFile;                    // packet list and cursor
    TDrawManager m_dmDrawManager;
    std::unordered_map<uint32_t, TDrawNoEntry> m_mapDrawNo;   // index of the manager by number
    bool m_bLiveMode = true;                       // PacketPlay runs in live mode, not rebuilding
    bool m_bBoardOnly = false;                     // no voice, no audio clip streams
    // A page start, a seek or a tick is under way: a tick arriving inside one of its dialogs waits.
    bool m_bBusy = false;
    QString m_sLoadProblem;                        // why the catalogue started nothing

    HSTREAM m_loadChannel = 0;                     // decoding stream of the voice
    HSTREAM m_playChannel = 0;                     // tempo stream that plays; 0 when none
    float m_fVoiceVolume = kVolumeStart / 100.0f;  // the volume bar's value, for every voice

    // After the objects it draws. Its stroke cache keeps what survives a rebuild, by content.
    TBoardSurface m_board;
    TRebuildTiming m_rebuildTiming;
    int32_t m_nStrokeCachePage = -1;               // the page whose figures the stroke cache holds
    // Last: they stop before the parts of the engine go.
    std::vector<std::unique_ptr<TPlaybackListener>> m_listListeners;
};
