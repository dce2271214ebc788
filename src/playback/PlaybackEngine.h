#pragma once
// The playback engine: the session's pages, the current page's description, resources, packets,
// drawing objects and voice; the packet interpreter, the frame clock, seeking, page navigation,
// the transport controls and the zoom rebuild. It reaches the window only through TPlaybackView
// and keeps the board (picture and objects) in a cached image that the window paints from.

#include "content/LectureCatalogue.h"
#include "content/PacketFile.h"
#include "content/PageDescription.h"
#include "platform/audio/AudioLibrary.h"
#include "playback/PlaybackView.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QImage>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TDrawManager;
class TDrawParent;
class TGPGraphics;
class TGPImage;
class TResourceManager;

class TPlaybackEngine {
public:
    TPlaybackEngine(TPlayerState& p_state, TPlaybackView& p_view);
    ~TPlaybackEngine();
    TPlaybackEngine(const TPlaybackEngine&) = delete;
    TPlaybackEngine& operator=(const TPlaybackEngine&) = delete;

    // ---- Catalogue and page start

    // Builds the page list, the totals, the tabs and the seek bar range, then selects the first
    // tab and starts the first page. false when the session has lectures but no page could be
    // read (nothing is started then).
    bool LoadLectureInfo(const QString& p_sBasePath);
    // The tab bar's click: starts the page of the selected tab (idle for an index below 0 or
    // while a seek is under way).
    void tabLecturePageClick(int32_t p_nIndex);
    // Loads the page's description, voice and packets, starts the voice and empties the board.
    void LecturePlay(const QString& p_sBasePath, int32_t p_nPageIndex);

    // ---- Voice

    bool LoadPageSound(const QString& p_sBasePath, int32_t p_nPageIndex);
    void PlaySound();
    void PauseSound();
    void StopSound();

    // ---- Frame clock and packet interpreter

    // One tick of tmFramePlay.
    void tmFramePlayTimer();
    // Live: p_boolInvalidate true, p_bUntilDraw false. Rebuild: false, true.
    void PacketPlay(const TPacketItem& p_piPacketItem, bool p_boolInvalidate, bool p_bUntilDraw);
    // Scrolls so that the point is visible, centring it when it is not.
    void ScroolBoxToCenterPoint(const TGPPointF& p_ClientPoint);
    // Sets the scroll offset directly.
    void ScroolBoxMovePoint(const TGPPointF& p_ClientPoint);

    // ---- Seeking

    void ScbPlayMovePositionUntilReDraw(uint32_t p_dPlayPosition);
    void RedrawUntilMP3FrameNo(uint32_t p_u32MP3FrameNo);
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

    // One zoom step and the rebuild at the current position; nothing before a board picture is
    // loaded. The window then only places its frame (through ReMovePlayerView of the view).
    void ResizeingImage(bool p_bIncrease);

    // ---- Board

    // The board surface as it should look: board picture and drawing objects (not the pointer).
    const QImage& GetBoardImage() const { return m_imgBoard; }
    bool HasBoardPicture() const { return m_gpImageLecture != nullptr; }
    // Paints the board the plain way, every object over the picture, on a surface of the board
    // surface's size: what the cached image always equals after a repaint.
    void PaintBoard(TGPGraphics& p_gGraphics) const;

    // ---- Access for the window and the tests

    const std::vector<TLectureInfo>& GetLectureInfoList() const;
    TDrawManager& GetDrawManager() const { return *m_dmDrawManager; }
    const TPacketFile& GetPacketFile() const { return m_pfPacketFile; }
    TResourceManager& GetResourceManager() const;
    HSTREAM GetPlayChannel() const { return m_playChannel; }
    TPlayerState& GetState() const { return m_state; }

private:
    class TBoardViewAdapter;

    // Interpreter: one handler per command family. The object families live in
    // PacketObjectCommands.cpp.
    void PlayStrokeCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayLineCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayViewCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayShapeCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayImageCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayMP3Command(const TPacketItem& p_pi, bool p_bLive);
    void PlayRichXMLCommand(const TPacketItem& p_pi, bool p_bLive);
    void PlayPopBlinkerCommand(const TPacketItem& p_pi, bool p_bLive);

    // Steps shared by the command handlers.
    TGPPointF Scaled(float p_fX, float p_fY) const;
    TGPRectF ScaledRect(const TPacketItem& p_pi) const;
    // Follow: scroll in live mode, record the focus point in both modes.
    void FollowPoint(const TGPPointF& p_pt, bool p_bLive);
    void RecordPoint(const TGPPointF& p_pt);
    // Repaint: in live mode, bring the board image up to date and show it.
    void RepaintBoard(bool p_bLive);
    // The object with this number if it is of the kind T, else none (commands aimed at an object
    // of another family are skipped).
    template <class T>
    T* FindDraw(uint32_t p_u32DrawNo) const;
    // Registers a new object on top of the drawing order.
    void AddDraw(std::unique_ptr<TDrawParent> p_dpDraw);
    void DeleteDraw(TDrawParent* p_dpDraw);
    // The area an object paints now joins the area waiting for the next repaint; called before
    // and after every change of an object.
    void MarkChanged(const TDrawParent* p_dpDraw);
    // Move: keeps the size, left and top := (FP1, FP2) scaled; returns the new top-left.
    TGPPointF MoveDraw(TDrawParent& p_dpDraw, const TPacketItem& p_pi);

    // Board image.
    void ResizeBoardImage();
    void RenderBoardRegion(const QRegion& p_rgn);
    void RenderFullBoard();
    void PaintBoardPicture(TGPGraphics& p_gGraphics) const;
    void LoadLectureImage(const QString& p_sPath, int32_t p_nBoardType);

    // Clock helpers.
    bool AskSelfStudyAndGoOn();
    void EndOfPage();
    void ReadVoicePosition(const TLectureInfo& p_page);
    void PlayDuePackets();
    void CheckEndOfSession();
    void SeekForward10Seconds();
    void ShowSpeedTexts();
    void SetCurrentPosition(int32_t p_intPosition);

    TPlayerState& m_state;
    TPlaybackView& m_view;
    std::unique_ptr<TBoardViewAdapter> m_boardViewAdapter;

    TLectureCatalogue m_lcCatalogue;               // m_listLectureInfo
    TPageDescription m_pdPageDescription;          // resource list and manager of the page
    TPacketFile m_pfPacketFile;                    // packet list and cursor
    std::unique_ptr<TDrawManager> m_dmDrawManager;

    HSTREAM m_loadChannel = 0;                     // decoding stream of the voice
    HSTREAM m_playChannel = 0;                     // tempo stream that plays; 0 when none

    std::unique_ptr<TGPImage> m_gpImageLecture;    // board picture, none before the first page
    QImage m_imgBoard;                             // board cache, the board surface's size
    QRegion m_rgnChanged;                          // changed since the last repaint
    QRect m_rtLiveInk;                             // live stroke pieces drawn since then
};
