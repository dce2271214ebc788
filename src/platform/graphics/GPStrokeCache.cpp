#include "platform/graphics/GPStrokeCache.h"

#include "platform/graphics/GPGraphicsPath.h"
#include "platform/graphics/GPPen.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// What an entry costs beyond its key and coverage: map node, list node, mask header.
constexpr size_t kEntryOverheadBytes = 160;

template <class T>
void Append(std::string& key, const T& value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
void AppendAll(std::string& key, const std::vector<T>& values)
{
    static_assert(std::is_trivially_copyable_v<T>);
    Append(key, values.size());
    key.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

void AppendCap(std::string& key, TGPLineCap cap, const std::optional<TGPAdjustableArrowCap>& custom)
{
    Append(key, cap);
    if (cap == TGPLineCap::Custom && custom) {
        Append(key, custom->GetHeight());
        Append(key, custom->GetWidth());
        Append(key, custom->IsFilled());
    }
}

// x's four channels times a / 255, rounded as the painter's blending rounds them.
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    uint32_t t = (x & 0xff00ffu) * a;
    t = (t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8;
    t &= 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = x + ((x >> 8) & 0xff00ffu) + 0x800080u;
    x &= 0xff00ff00u;
    return x | t;
}

}  // namespace

QRgb PremultipliedSolidColor(QRgb p_argb)
{
    return QColor::fromRgba(p_argb).rgba64().premultiplied().toArgb32();
}

void ColourCoverage(const TGPCoverageMask& p_mask, QRgb p_premultiplied, std::vector<QRgb>& p_pixels)
{
    const auto width = static_cast<size_t>(p_mask.Bounds.width());
    p_pixels.assign(width * static_cast<size_t>(p_mask.Bounds.height()), 0u);
    for (size_t row = 0; row < p_mask.RowBegin.size(); ++row) {
        const uint8_t* coverage = p_mask.Coverage.data() + p_mask.RowOffset[row];
        QRgb* line = p_pixels.data() + row * width;
        for (size_t x = p_mask.RowBegin[row]; x < p_mask.RowEnd[row]; ++x) {
            const uint32_t c = *coverage++;
            line[x] = c == 255 ? p_premultiplied : ByteMul(p_premultiplied, c);
        }
    }
}

void FillCoverageSource(const TGPCoverageMask& p_mask, QRgb p_premultiplied, QImage& p_imgTarget,
                        const QPoint& p_ptOrigin)
{
    // The mask's rows and columns that land on the image.
    const QRect onImage = p_mask.Bounds.translated(-p_ptOrigin).intersected(p_imgTarget.rect());
    const int dx = p_mask.Bounds.left() - p_ptOrigin.x();
    const int dy = p_mask.Bounds.top() - p_ptOrigin.y();
    for (int y = onImage.top(); y <= onImage.bottom(); ++y) {
        const auto row = static_cast<size_t>(y - dy);
        const int begin = std::max<int>(p_mask.RowBegin[row] + dx, onImage.left());
        const int end = std::min<int>(p_mask.RowEnd[row] + dx, onImage.right() + 1);
        const uint8_t* coverage = p_mask.Coverage.data() + p_mask.RowOffset[row] + (begin - dx - p_mask.RowBegin[row]);
        auto* line = reinterpret_cast<QRgb*>(p_imgTarget.scanLine(y));
        for (int x = begin; x < end; ++x) {
            const uint32_t c = *coverage++;
            line[x] = c == 255 ? p_premultiplied : ByteMul(p_premultiplied, c) + ByteMul(line[x], 255 - c);
        }
    }
}

size_t TGPCoverageMask::GetBytes() const
{
    return sizeof(*this) + RowBegin.capacity() * sizeof(uint16_t) + RowEnd.capacity() * sizeof(uint16_t) +
           RowOffset.capacity() * sizeof(uint32_t) + Coverage.capacity();
}

TGPStrokeCache::TGPStrokeCache(size_t p_nCapacityBytes) : m_nCapacityBytes(p_nCapacityBytes) {}

TGPStrokeCache::~TGPStrokeCache() = default;

std::string TGPStrokeCache::MakeKey(const TGPPathFigure& p_figure, const TGPPen& p_pen, const QTransform& p_toDevice,
                                    bool p_bAntialias)
{
    std::string key;
    key.reserve(96 + p_figure.Points.size() * (sizeof(TGPPointF) + 1));
    for (const qreal m : {p_toDevice.m11(), p_toDevice.m12(), p_toDevice.m13(), p_toDevice.m21(), p_toDevice.m22(),
                          p_toDevice.m23(), p_toDevice.m31(), p_toDevice.m32(), p_toDevice.m33()}) {
        Append(key, m);
    }
    Append(key, p_bAntialias);
    Append(key, p_pen.GetWidth());
    Append(key, p_pen.GetDashStyle());
    Append(key, p_pen.GetLineJoin());
    Append(key, p_pen.GetMiterLimit());
    AppendCap(key, p_pen.GetStartCap(), p_pen.GetCustomStartCap());
    AppendCap(key, p_pen.GetEndCap(), p_pen.GetCustomEndCap());
    Append(key, p_figure.Closed);
    AppendAll(key, p_figure.Points);
    AppendAll(key, p_figure.Types);
    return key;
}

std::shared_ptr<const TGPCoverageMask> TGPStrokeCache::Find(const std::string& p_key)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_mapEntries.find(p_key);
    if (it == m_mapEntries.end()) {
        return nullptr;
    }
    m_listRecent.splice(m_listRecent.begin(), m_listRecent, it->second.recent);
    return it->second.mask;
}

void TGPStrokeCache::Insert(std::string p_key, std::shared_ptr<const TGPCoverageMask> p_mask)
{
    const size_t bytes = p_key.capacity() + p_mask->GetBytes() + kEntryOverheadBytes;
    if (bytes > m_nCapacityBytes) {
        return;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    // Another thread may have stored the same figure meanwhile; its coverage is the same.
    const auto [it, inserted] = m_mapEntries.try_emplace(std::move(p_key));
    if (!inserted) {
        m_listRecent.splice(m_listRecent.begin(), m_listRecent, it->second.recent);
        return;
    }
    m_listRecent.push_front(&it->first);
    it->second = {std::move(p_mask), m_listRecent.begin(), bytes};
    m_nUsedBytes += bytes;
    EvictOverCapacity();
}

void TGPStrokeCache::EvictOverCapacity()
{
    while (m_nUsedBytes > m_nCapacityBytes && !m_listRecent.empty()) {
        const auto it = m_mapEntries.find(*m_listRecent.back());
        m_nUsedBytes -= it->second.bytes;
        m_listRecent.pop_back();
        m_mapEntries.erase(it);
    }
}

void TGPStrokeCache::Clear()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_listRecent.clear();
    m_mapEntries.clear();
    m_nUsedBytes = 0;
}

size_t TGPStrokeCache::GetUsedBytes() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_nUsedBytes;
}

size_t TGPStrokeCache::GetCount() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapEntries.size();
}

std::unique_ptr<QImage> TGPStrokeCache::TakeScratchImage()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_arrayFreeScratch.empty()) {
        return nullptr;
    }
    std::unique_ptr<QImage> image = std::move(m_arrayFreeScratch.back());
    m_arrayFreeScratch.pop_back();
    return image;
}

void TGPStrokeCache::ReturnScratchImage(std::unique_ptr<QImage> p_image)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_arrayFreeScratch.push_back(std::move(p_image));
}

TGPStrokeCache::TScratch::TScratch(TGPStrokeCache& p_cache) : m_cache(p_cache), m_image(p_cache.TakeScratchImage())
{
    if (m_image) {
        m_painter = std::make_unique<QPainter>(m_image.get());
    }
}

TGPStrokeCache::TScratch::~TScratch()
{
    if (m_image) {
        m_painter->end();
        m_cache.ReturnScratchImage(std::move(m_image));
    }
}

// The scratch grows to the largest figure rasterized on it, in steps, up to the largest figure
// kept: a word or a letter needs a small part of the 4 MB that the largest takes.
void TGPStrokeCache::TScratch::Fit(QSize p_size)
{
    if (m_image && m_image->width() >= p_size.width() && m_image->height() >= p_size.height()) {
        return;
    }
    const auto grown = [](int p_nHave, int p_nNeed) {
        return std::min(kMaxSide, std::max(p_nHave, (p_nNeed + kScratchStep - 1) / kScratchStep * kScratchStep));
    };
    const QSize size(grown(m_image ? m_image->width() : 0, p_size.width()),
                     grown(m_image ? m_image->height() : 0, p_size.height()));
    m_painter.reset();
    m_image = std::make_unique<QImage>(size, QImage::Format_ARGB32_Premultiplied);
    m_image->fill(Qt::transparent);
    m_painter = std::make_unique<QPainter>(m_image.get());
}

std::shared_ptr<const TGPCoverageMask> TGPStrokeCache::TScratch::Rasterize(const QPainterPath& p_outline,
                                                                           const QTransform& p_toDevice,
                                                                           bool p_bAntialias, const QRect& p_rtBox)
{
    const int width = p_rtBox.width();
    const int height = p_rtBox.height();
    Fit(p_rtBox.size());
    // White at full opacity leaves each pixel's coverage in its alpha, exactly: the painter
    // blends a span of coverage c as the colour times c over transparent.
    QPainter& painter = *m_painter;
    painter.resetTransform();
    painter.setClipRect(QRect(0, 0, width, height));
    painter.setRenderHint(QPainter::Antialiasing, p_bAntialias);
    // The box moved to the scratch's origin by whole pixels: the rasterizer's coverage does not
    // change under such a shift.
    painter.setTransform(p_toDevice * QTransform::fromTranslate(-p_rtBox.left(), -p_rtBox.top()));
    painter.fillPath(p_outline, QColor(255, 255, 255));

    auto mask = std::make_shared<TGPCoverageMask>();
    mask->Bounds = p_rtBox;
    mask->RowBegin.resize(static_cast<size_t>(height));
    mask->RowEnd.resize(static_cast<size_t>(height));
    mask->RowOffset.resize(static_cast<size_t>(height));
    uchar* bits = m_image->bits();
    const qsizetype stride = m_image->bytesPerLine();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        int begin = 0;
        while (begin < width && line[begin] == 0) {
            ++begin;
        }
        int end = width;
        while (end > begin && line[end - 1] == 0) {
            --end;
        }
        const auto row = static_cast<size_t>(y);
        mask->RowBegin[row] = static_cast<uint16_t>(begin);
        mask->RowEnd[row] = static_cast<uint16_t>(end);
        mask->RowOffset[row] = static_cast<uint32_t>(mask->Coverage.size());
        for (int x = begin; x < end; ++x) {
            mask->Coverage.push_back(static_cast<uint8_t>(qAlpha(line[x])));
        }
        std::memset(line, 0, static_cast<size_t>(width) * sizeof(QRgb));
    }
    mask->Coverage.shrink_to_fit();
    return mask;
}
