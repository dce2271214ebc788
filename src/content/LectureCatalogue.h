#pragma once
// The session's catalogue: every lecture's "lectureinfo.xml" read in launch order into one flat
// page list, each page measured on its voice track, giving the session time line, the total
// length and the page tab captions.

#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// Frames of a voice track: round(seconds * 1000 / 36), ties to even; negative when the file
// cannot be opened as a stream. The audio library must be initialised.
int32_t GetSoundFrameCount(const QString& p_sSoundPath);

// The page length to use: always the measured count of the track; the catalogue's own count
// (`p_nFrameCount`) never wins over it.
int32_t SetSoundLengthToFrameCount(int32_t p_nFrameCount, const QString& p_sSoundPath);

// Measures a batch of tracks, one count per path in the same order.
using TSoundBatchMeasure = std::function<std::vector<int32_t>(const QStringList& paths)>;

// The default batch measure: GetSoundFrameCount over the paths, spread over the machine's cores.
std::vector<int32_t> MeasureSoundFrameCounts(const QStringList& paths);

// The tab caption of a page: "3 p (02 : 41)".
QString GetPageCaption(const TLectureInfo& page);

// Where the reading of one lecture stopped.
enum class TCatalogueStop : uint8_t {
    None,        // every page read
    File,        // missing or not XML
    Root,        // no "root"
    Pages,       // no "pages" under "root"
    Frames,      // a page without a valid "frames": that page and the ones after it are left out
    PageId,      // a page whose "id" cannot be a folder name ("..", separators): the same
};

struct TLectureReadResult {
    QString lectureName;
    TCatalogueStop stop = TCatalogueStop::None;
    int pagesRead = 0;
};

class TLectureCatalogue {
public:
    // Builds the page list from the lectures of `state` (m_sBasePath, m_arrayLectureName,
    // m_sExeDir) and sets state.m_intAllMileSecond. A broken lecture keeps the pages read before
    // its failing page; the lectures after it are still read. Returns one result per lecture.
    std::vector<TLectureReadResult> LoadLectureInfo(TPlayerState& state,
                                                    const TSoundBatchMeasure& measure = MeasureSoundFrameCounts);

    const std::vector<TLectureInfo>& GetLectureInfoList() const { return m_listLectureInfo; }
    // A page list read before, by another catalogue of the same session.
    void SetLectureInfoList(std::vector<TLectureInfo> p_list) { m_listLectureInfo = std::move(p_list); }
    QStringList GetPageCaptions() const;

private:
    std::vector<TLectureInfo> m_listLectureInfo;
};
