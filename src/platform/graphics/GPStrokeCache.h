#pragma once
// Inside the graphics layer: the anti-aliased coverage a pen paints along one figure, kept by
// content (the figure's points, the pen's shape and the transform to the device) so that a
// figure drawn again, by the same object or by a new object with the same content after the
// board is rebuilt, costs a blend of its stored coverage instead of stroking and rasterizing.
// The colour is not part of the key: the coverage is blended with it by the same arithmetic the
// painter uses for a solid fill, so the pixels are the painter's own.
//
// Bounded by a memory capacity, the least recently used coverage going first. Safe for several
// drawing threads at once.

#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;
class QPainterPath;
class QTransform;
class TGPPen;
struct TGPPathFigure;

// Coverage (0..255) of the device pixels in Bounds; per row one run of columns [begin, end)
// counted from Bounds.left(), outside which the coverage is 0.
struct TGPCoverageMask {
    QRect Bounds;
    std::vector<uint16_t> RowBegin;
    std::vector<uint16_t> RowEnd;
    std::vector<uint32_t> RowOffset;  // where the row's run starts in Coverage
    std::vector<uint8_t> Coverage;

    size_t GetBytes() const;
};

// The painter's solid colour for a pen colour: premultiplied as a solid fill premultiplies it.
QRgb PremultipliedSolidColor(QRgb p_argb);
// The mask's pixels as a solid fill of the premultiplied colour paints them over transparent
// (colour times coverage), in rows of Bounds.width() pixels: laid over a surface with source-over,
// they give the pixels the fill itself gives there.
void ColourCoverage(const TGPCoverageMask& p_mask, QRgb p_premultiplied, std::vector<QRgb>& p_pixels);
// The mask filled with the colour in source mode into the image, whose top-left pixel is
// p_ptOrigin on the device, as the painter fills a path there in source mode.
void FillCoverageSource(const TGPCoverageMask& p_mask, QRgb p_premultiplied, QImage& p_imgTarget,
                        const QPoint& p_ptOrigin);

class TGPStrokeCache {
public:
    static constexpr size_t kDefaultCapacityBytes = size_t{256} << 20;
    // Figures whose painted box is larger than this (device pixels) on either side are not kept.
    static constexpr int kMaxSide = 1024;
    // The scratch surfaces grow in steps of this many pixels a side.
    static constexpr int kScratchStep = 128;

    explicit TGPStrokeCache(size_t p_nCapacityBytes = kDefaultCapacityBytes);
    ~TGPStrokeCache();
    TGPStrokeCache(const TGPStrokeCache&) = delete;
    TGPStrokeCache& operator=(const TGPStrokeCache&) = delete;

    // A surface to rasterize figures on, lent to one drawing surface at a time, as large as the
    // largest figure rasterized on it so far. Its pixels are transparent whenever it is not lent.
    class TScratch {
    public:
        explicit TScratch(TGPStrokeCache& p_cache);
        ~TScratch();
        TScratch(const TScratch&) = delete;
        TScratch& operator=(const TScratch&) = delete;
        // The coverage of the outline filled through the transform, rasterized as the painter
        // rasterizes it on the device; box is the outline's box on the device.
        std::shared_ptr<const TGPCoverageMask> Rasterize(const QPainterPath& p_outline, const QTransform& p_toDevice,
                                                         bool p_bAntialias, const QRect& p_rtBox);

    private:
        void Fit(QSize p_size);

        TGPStrokeCache& m_cache;
        std::unique_ptr<QImage> m_image;   // none until the first figure
        std::unique_ptr<QPainter> m_painter;
    };

    // The key of a figure drawn with the pen through the transform.
    static std::string MakeKey(const TGPPathFigure& p_figure, const TGPPen& p_pen, const QTransform& p_toDevice,
                               bool p_bAntialias);
    // The stored coverage for the key, or none.
    std::shared_ptr<const TGPCoverageMask> Find(const std::string& p_key);
    void Insert(std::string p_key, std::shared_ptr<const TGPCoverageMask> p_mask);
    void Clear();

    size_t GetUsedBytes() const;
    size_t GetCapacityBytes() const { return m_nCapacityBytes; }
    size_t GetCount() const;

private:
    struct TEntry {
        std::shared_ptr<const TGPCoverageMask> mask;
        std::list<const std::string*>::iterator recent;
        size_t bytes = 0;
    };

    std::unique_ptr<QImage> TakeScratchImage();
    void ReturnScratchImage(std::unique_ptr<QImage> p_image);
    void EvictOverCapacity();

    const size_t m_nCapacityBytes;
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, TEntry> m_mapEntries;
    std::list<const std::string*> m_listRecent;  // most recently used first
    size_t m_nUsedBytes = 0;
    std::vector<std::unique_ptr<QImage>> m_arrayFreeScratch;
};
