#include "content/LectureCatalogue.h"

#include "content/XmlDom.h"
#include "platform/Rounding.h"
#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// A page as the catalogue file gives it, before its track is measured.
struct TPageEntry {
    TLectureInfo info;
    QString soundPath;
};

// Reads one lecture's catalogue: appends its pages up to the first one without a valid "frames".
TLectureReadResult ReadLecture(const QString& lectureFolder, const QString& lectureName, const QString& fallbackSound,
                               std::vector<TPageEntry>& pages)
{
    TLectureReadResult result{lectureName, TCatalogueStop::None, 0};
    const std::optional<QDomDocument> document = LoadXmlDocument(JoinPath(lectureFolder, QStringLiteral("lectureinfo.xml")));
    if (!document) {
        result.stop = TCatalogueStop::File;
        return result;
    }
    const QDomElement root = FindChildElement(*document, QStringLiteral("root"));
    if (root.isNull()) {
        result.stop = TCatalogueStop::Root;
        return result;
    }
    const QDomElement pageList = FindChildElement(root, QStringLiteral("pages"));
    if (pageList.isNull()) {
        result.stop = TCatalogueStop::Pages;
        return result;
    }
    for (const QDomElement& element : ChildElements(pageList)) {
        // "frames" must be a number, though the measured track decides the length.
        if (!AttributeInt(element, QStringLiteral("frames"))) {
            result.stop = TCatalogueStop::Frames;
            return result;
        }
        TPageEntry entry;
        entry.info.PageName = lectureName;
        entry.info.PageNo = static_cast<int32_t>(pages.size());
        entry.info.PageID = AttributeTextOrEmpty(element, QStringLiteral("id"));
        // The id names the page's folder: it must not lead out of the lecture's folder (no id
        // at all is the lecture's folder itself).
        if (!entry.info.PageID.isEmpty() && !IsPlainFileName(entry.info.PageID)) {
            result.stop = TCatalogueStop::PageId;
            return result;
        }
        entry.soundPath = JoinPath(lectureFolder, entry.info.PageID, QStringLiteral("sound.dat"));
        if (!QFileInfo::exists(entry.soundPath)) {
            entry.soundPath = fallbackSound;
        }
        pages.push_back(std::move(entry));
        ++result.pagesRead;
    }
    return result;
}

// Milliseconds of a frame count, kept within the 32-bit time line.
int32_t FramesToMilliseconds(uint32_t frames)
{
    return static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(frames) * kFrameMilliseconds, kInt32Max));
}

} // namespace

int32_t GetSoundFrameCount(const QString& p_sSoundPath)
{
    const HSTREAM stream = BASS_StreamCreateFile(kFalse, p_sSoundPath.utf16(), 0, 0, kStreamVoiceFlags);
    if (stream == 0) {
        return -1;
    }
    const QWORD length = BASS_ChannelGetLength(stream, kPosByte);
    const double seconds = length == static_cast<QWORD>(-1) ? -1.0 : BASS_ChannelBytes2Seconds(stream, length);
    BASS_StreamFree(stream);
    if (seconds < 0.0) {
        return -1;
    }
    return static_cast<int32_t>(std::min<int64_t>(RoundHalfEven(seconds * 1000.0 / kFrameMilliseconds), kInt32Max));
}

int32_t SetSoundLengthToFrameCount(int32_t /*p_nFrameCount*/, const QString& p_sSoundPath)
{
    return GetSoundFrameCount(p_sSoundPath);
}

std::vector<int32_t> MeasureSoundFrameCounts(const QStringList& paths)
{
    std::vector<int32_t> counts(static_cast<size_t>(paths.size()), -1);
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++) {
            counts[static_cast<size_t>(i)] = GetSoundFrameCount(paths[i]);
        }
    };
    const unsigned helpers = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()),
                                                static_cast<unsigned>(paths.size())) ;
    std::vector<std::jthread> threads;
    for (unsigned t = 1; t < helpers; ++t) {
        threads.emplace_back(work);
    }
    work();
    return counts;
}

QString GetPageCaption(const TLectureInfo& page)
{
    return QStringLiteral("%1 p (%2)")
        .arg(page.PageNo + 1)
        .arg(FormatPlayTime(static_cast<uint32_t>(std::max(page.PlayMileSeconds, 0))));
}

QStringList TLectureCatalogue::GetPageCaptions() const
{
    QStringList captions;
    for (const TLectureInfo& page : m_listLectureInfo) {
        captions << GetPageCaption(page);
    }
    return captions;
}

std::vector<TLectureReadResult> TLectureCatalogue::LoadLectureInfo(TPlayerState& state,
                                                                   const TSoundBatchMeasure& measure)
{
    m_listLectureInfo.clear();
    state.m_intAllMileSecond = 0;

    const QString fallbackSound = JoinPath(state.m_sExeDir, QStringLiteral("sound.dat"));
    std::vector<TPageEntry> pages;
    std::vector<TLectureReadResult> results;
    for (const QString& lectureFile : state.m_arrayLectureName) {
        const QString lectureName = LectureNameOf(lectureFile);
        results.push_back(ReadLecture(LectureFolder(state.m_sBasePath, lectureFile), lectureName, fallbackSound, pages));
    }

    // Every distinct track once, the fallback among them; measuring is the slow part.
    QStringList trackPaths{fallbackSound};
    QHash<QString, qsizetype> trackIndex{{fallbackSound, 0}};
    for (const TPageEntry& page : pages) {
        if (!trackIndex.contains(page.soundPath)) {
            trackIndex.insert(page.soundPath, trackPaths.size());
            trackPaths << page.soundPath;
        }
    }
    const std::vector<int32_t> counts = measure(trackPaths);
    const int32_t fallbackCount = counts.at(0);

    uint32_t startFrame = 0;
    int64_t allMilliseconds = 0;
    for (TPageEntry& page : pages) {
        int32_t frames = counts.at(static_cast<size_t>(trackIndex.value(page.soundPath)));
        if (frames <= 0) {
            frames = fallbackCount;
        }
        // A page without any usable track has length 0 and ends at once; a negative count would
        // wrap the unsigned time line.
        page.info.FrameCount = static_cast<uint32_t>(std::max(frames, 0));
        page.info.StartFrameNo = startFrame;
        page.info.PlayMileSeconds = FramesToMilliseconds(page.info.FrameCount);
        startFrame += page.info.FrameCount;
        allMilliseconds += page.info.PlayMileSeconds;
        m_listLectureInfo.push_back(std::move(page.info));
    }
    state.m_intAllMileSecond = static_cast<int32_t>(std::min(allMilliseconds, kInt32Max));
    return results;
}
