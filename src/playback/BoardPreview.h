#pragma once
// The seek bar's preview: thumbnails of the board at points of the session time line, made by a
// second, board-only engine on a worker thread, never by the engine that plays.
//
// The window asks with Request as the pointer moves over the seek bar (or drags its knob) and
// gets at once what the card shows without a picture: the time, the page, and whether a picture
// may be shown there; with the picture too when it is kept. Pictures are kept by page and whole
// second into the page: a picture shows the board at the start of its second. Otherwise the
// worker makes it: only the newest request waits for it, so an older one not yet started is
// dropped, and a picture finished for an older request is kept but not handed on. A finished
// picture reaches the thumbnail handler on the thread that made the preview, through its event
// loop.
//
// In supervised study no picture is made beyond the furthest point played: the learner sees
// nothing of the board that a seek could not reach.
//
// The worker's engine is safe beside the one that plays: it never calls the audio library (no
// voice, no audio clip streams, the page list taken from the engine that plays instead of
// measuring voices), it only reads the session globals, draws only on pictures of its own
// (QImage; no QPixmap, no widget) and shares no object with the window's thread.

#include "playback/NewestJobThread.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QImage>
#include <QObject>
#include <QRectF>
#include <QSize>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// A picture of the board at a point of the time line.
struct TBoardThumbnail {
    int32_t pageIndex = -1;    // in the page list
    int32_t second = 0;        // whole seconds into the page
    int32_t sessionMs = 0;     // the session position the picture shows: the start of the second
    QImage image;              // the whole board, TBoardPreview::kThumbnailWidth logical pixels wide
    QRectF onScreen;           // the part of the board the screen would show then, in the
                               // image's logical pixels
};

// What the card shows for a point of the seek bar.
struct TPreviewCard {
    int32_t sessionMs = 0;
    QString timeText;          // as the time labels show it: "02 : 41"
    int32_t pageIndex = -1;    // the page the point lies in; -1 when the session has none
    bool pictureAllowed = false;
    std::optional<TBoardThumbnail> picture;   // when kept; otherwise the handler gets it later
};

class TBoardPreview {
public:
    static constexpr int kThumbnailWidth = 240;
    static constexpr size_t kKeptPictures = 48;

    using TThumbnailHandler = std::function<void(const TBoardThumbnail&)>;

    // p_state: the window's record; the session's paths and lectures are taken now, the zoom and
    // the furthest point played are read at each request (on this thread). p_listPages: the
    // page list of the engine that plays. p_visibleSize: the board area of the screen.
    TBoardPreview(const TPlayerState& p_state, std::vector<TLectureInfo> p_listPages, QSize p_visibleSize);
    // Stops the worker; a picture under way is finished first.
    ~TBoardPreview();
    TBoardPreview(const TBoardPreview&) = delete;
    TBoardPreview& operator=(const TBoardPreview&) = delete;

    void SetThumbnailHandler(TThumbnailHandler p_handler) { m_handler = std::move(p_handler); }
    // The board area of the screen changed: pictures kept for the old size are not shown again
    // (their outline would be wrong); new ones are made for the new size.
    void SetVisibleSize(QSize p_visibleSize);
    // Pictures are made at the device pixel ratio of the screen they are shown on; those kept at
    // another are not shown again.
    void SetDevicePixelRatio(qreal p_dRatio) { m_dDevicePixelRatio = p_dRatio; }

    // The card for the session position (milliseconds); the picture follows through the handler
    // when it is not kept yet.
    TPreviewCard Request(int32_t p_nSessionMs);
    // The pointer left the seek bar: the picture waited for is no longer wanted.
    void CancelRequest();
    // Makes the picture at the session position ahead of any request, kept but not handed on,
    // unless a request waits: the window calls it when a page starts, so that the first hover
    // over the page playing finds the page loaded and the board rebuilt up to there.
    void Prepare(int32_t p_nSessionMs);

    // ---- For the tests and the benchmark

    int GetMadeCount() const { return m_nMade.load(); }
    int GetDroppedCount() const { return m_nDropped.load(); }
    size_t GetKeptCount() const { return m_listKept.size(); }
    // Called on the worker thread as it starts a picture (page index, second); set before the
    // first request.
    std::function<void(int32_t, int32_t)> m_onPictureStarted;

private:
    class TWorker;

    struct TJob {
        int32_t pageIndex = -1;
        int32_t second = 0;
        int32_t sessionMs = 0;
        float viewRatio = 1.0f;
        QSize visibleSize;
        qreal devicePixelRatio = 1.0;

        bool SamePicture(const TJob& p_other) const;
    };

    // The picture a request at the session position asks for: the start of its second.
    TJob JobFor(int32_t p_nSessionMs) const;
    bool PictureAllowed(int32_t p_nSessionMs) const;
    // The kept picture, made the most recently used; none when not kept.
    std::optional<TBoardThumbnail> FindKept(const TJob& p_job);
    // Hands the job to the worker unless it has it already; a job not started yet is dropped.
    void Ask(const TJob& p_job);
    // The job not started yet is dropped.
    void DropPending();
    // On the worker thread: the picture made and queued to Deliver.
    void MakePicture(const TJob& p_job);
    // On the preview's thread: keeps the picture and hands it on when it is the one waited for.
    void Deliver(const TJob& p_job, const TBoardThumbnail& p_picture);

    const TPlayerState& m_state;
    const std::vector<TLectureInfo> m_listPages;
    QSize m_visibleSize;
    qreal m_dDevicePixelRatio = 1.0;
    TThumbnailHandler m_handler;
    std::optional<TJob> m_wanted;                  // the newest request's picture, until it arrives
    std::list<std::pair<TJob, TBoardThumbnail>> m_listKept;   // the most recently used first
    std::atomic<int> m_nMade{0};
    std::atomic<int> m_nDropped{0};

    // Worker side.
    const TPlayerState m_sessionState;             // a copy, for the worker's engine
    std::unique_ptr<TWorker> m_worker;
    // Finished pictures pass to the preview's thread through this list under its own lock, and
    // a bare event tells that thread to take them: a queued call carrying the picture would be
    // freed by whichever thread lets go of it last, under Qt's own reference count.
    class TContext : public QObject {
    public:
        explicit TContext(TBoardPreview& p_preview) : m_preview(p_preview) {}

    protected:
        void customEvent(QEvent*) override { m_preview.DeliverFinished(); }

    private:
        TBoardPreview& m_preview;
    };
    void DeliverFinished();
    std::mutex m_finishedMutex;
    std::vector<std::pair<TJob, TBoardThumbnail>> m_arrayFinished;
    TContext m_context{*this};                     // the finished pictures' events are posted to it
    TNewestJobThread<TJob> m_thread;               // last: stops before what its jobs use goes
};
