#include "session/CommDefine.h"

#include "platform/ContentFile.h"
#include "platform/Rounding.h"

#include <QStringDecoder>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

TStudyInfo g_studyInfo;
std::vector<TReportInfo> g_arrayReportInfo;
TGradeInfo g_gradeInfo;

bool IsSupervisedStudy()
{
    return g_studyInfo.study_mode == QLatin1String("A");
}

// ---------------------------------------------------------------------------------------------
// Packet records

namespace {

template <typename T>
T ReadLittle(const unsigned char* bytes)
{
    static_assert(std::is_trivially_copyable_v<T>);
    unsigned char buffer[sizeof(T)];
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(buffer, bytes, sizeof(T));
    } else {
        std::reverse_copy(bytes, bytes + sizeof(T), buffer);
    }
    T value;
    std::memcpy(&value, buffer, sizeof(T));
    return value;
}

template <typename T>
void WriteLittle(T value, unsigned char* bytes)
{
    unsigned char buffer[sizeof(T)];
    std::memcpy(buffer, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, buffer, sizeof(T));
    } else {
        std::reverse_copy(buffer, buffer + sizeof(T), bytes);
    }
}

} // namespace

TPacketItem PacketItemFromBytes(const unsigned char* bytes)
{
    TPacketItem item;
    item.PacketType = bytes[0];
    std::memcpy(item.Padding1, bytes + 1, 3);
    item.FrameNo = ReadLittle<int32_t>(bytes + 4);
    item.DrawNo = ReadLittle<uint32_t>(bytes + 8);
    item.ByteParam = bytes[12];
    item.Padding2 = bytes[13];
    item.Byte2Param = ReadLittle<uint16_t>(bytes + 14);
    item.FloatParam1 = ReadLittle<float>(bytes + 16);
    item.FloatParam2 = ReadLittle<float>(bytes + 20);
    item.FloatParam3 = ReadLittle<float>(bytes + 24);
    item.FloatParam4 = ReadLittle<float>(bytes + 28);
    return item;
}

void PacketItemToBytes(const TPacketItem& item, unsigned char* bytes)
{
    bytes[0] = item.PacketType;
    std::memcpy(bytes + 1, item.Padding1, 3);
    WriteLittle(item.FrameNo, bytes + 4);
    WriteLittle(item.DrawNo, bytes + 8);
    bytes[12] = item.ByteParam;
    bytes[13] = item.Padding2;
    WriteLittle(item.Byte2Param, bytes + 14);
    WriteLittle(item.FloatParam1, bytes + 16);
    WriteLittle(item.FloatParam2, bytes + 20);
    WriteLittle(item.FloatParam3, bytes + 24);
    WriteLittle(item.FloatParam4, bytes + 28);
}

// ---------------------------------------------------------------------------------------------
// Time helpers

namespace {

QString TwoDigits(int64_t value)
{
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

} // namespace

QString FormatPlayTime(uint32_t milliseconds)
{
    const int64_t seconds = RoundHalfEven(milliseconds / 1000.0);
    return TwoDigits(seconds / 60) + QStringLiteral(" : ") + TwoDigits(seconds % 60);
}

int32_t MilliSecondsToFrameNo(uint32_t milliseconds)
{
    return static_cast<int32_t>(RoundHalfEven(milliseconds / static_cast<double>(kFrameMilliseconds)));
}

uint8_t PackedHighPart(float value)
{
    return static_cast<uint8_t>(RoundHalfEven(value / 1000.0) & 0xFF);
}

uint8_t PackedLowPart(float value)
{
    return static_cast<uint8_t>((RoundHalfEven(value) % 1000) & 0xFF);
}

std::optional<QString> ReadFirstLine(const QString& path)
{
    // The launch text is one line; a megabyte is far more than any launch needs.
    const std::optional<QByteArray> read = ReadRegularFile(path, 1024 * 1024);
    if (!read) {
        return std::nullopt;
    }
    const QByteArray& bytes = *read;
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    QString text;
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        text = decoder.decode(bytes);
    } else {
        text = QString::fromLocal8Bit(bytes);
    }
    if (!text.isEmpty() && text.front() == QChar(0xFEFF)) {
        text.remove(0, 1);
    }
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') {
        ++end;
    }
    return text.left(end);
}

// ---------------------------------------------------------------------------------------------
// Rectangles

TGPRectF InflateRectF(const TGPRectF& rect, float dx, float dy)
{
    return {rect.X - dx, rect.Y - dy, rect.Width + 2 * dx, rect.Height + 2 * dy};
}

bool PtInRectF(const TGPPointF& point, const TGPRectF& rect)
{
    return rect.X <= point.X && point.X <= rect.X + rect.Width && rect.Y <= point.Y &&
           point.Y <= rect.Y + rect.Height;
}

void InitUnsetRect(TGPRectF& rect)
{
    rect = {kUnsetRectValue, kUnsetRectValue, kUnsetRectValue, kUnsetRectValue};
}

bool IsUnsetRect(const TGPRectF& rect)
{
    return rect.X == kUnsetRectValue || rect.Y == kUnsetRectValue || rect.Width == kUnsetRectValue ||
           rect.Height == kUnsetRectValue;
}

namespace {

// Offset of the padding points that complete a stroke to whole Bezier segments.
constexpr double kBezierPadding = 0.0001;

TGPPointF PaddedPoint(const TGPPointF& point)
{
    return {static_cast<float>(point.X + kBezierPadding), static_cast<float>(point.Y + kBezierPadding)};
}

}  // namespace

TPointList MakeBezierPointList(const TPointList& list)
{
    TPointList result = list;
    if (result.empty()) {
        return result;
    }
    const size_t missing = result.size() == 1 ? 3 : (3 - (result.size() - 1) % 3) % 3;
    for (size_t i = 0; i < missing; ++i) {
        result.push_back(PaddedPoint(result.back()));
    }
    return result;
}

TGPPointF GetCrossPoint(const TGPPointF& p1, const TGPPointF& p2, const TGPPointF& p3, const TGPPointF& p4)
{
    const float dx12 = p2.X - p1.X;
    const float dy12 = p2.Y - p1.Y;
    const float dx34 = p4.X - p3.X;
    const float dy34 = p4.Y - p3.Y;
    const float den = dx34 * dy12 - dy34 * dx12;
    if (den == 0.0f) {
        return {0.0f, 0.0f};
    }
    const float t = ((p3.Y - p1.Y) * dx12 + (p1.X - p3.X) * dy12) / den;
    const float u = ((p1.Y - p3.Y) * dx34 + (p3.X - p1.X) * dy34) / (dy34 * dx12 - dx34 * dy12);
    if (t < 0.0f || t > 1.0f || u < 0.0f || u > 1.0f) {
        return {0.0f, 0.0f};
    }
    return {p1.X + u * dx12, p1.Y + u * dy12};
}

// ---------------------------------------------------------------------------------------------
// Colours and widths

const uint32_t ColorTable[kColorTableSize] = {
    0xFFFFFF, 0xF2F2F2, 0xD8D8D8, 0xBFBFBF, 0xA5A5A5, 0x808080, //
    0x000000, 0x7F7F7F, 0x595959, 0x3F3F3F, 0x262626, 0x0C0C0C, //
    0xEEECE1, 0xDDD9C3, 0xC4BD97, 0x938953, 0x494429, 0x1D1B10, //
    0x1F497D, 0xC6D9F0, 0x8DB3E2, 0x548DD4, 0x17365D, 0x0F243E, //
    0x4F81BD, 0xDBE5F1, 0xB8CCE4, 0x95B3D7, 0x366092, 0x244061, //
    0xC0504D, 0xF2DCDB, 0xE5B9B7, 0xD99694, 0x953734, 0x632423, //
    0x9BBB59, 0xEBF1DD, 0xD7E3BC, 0xC3D69B, 0x76923C, 0x4F6128, //
    0x8064A2, 0xE5E0EC, 0xCCC1D9, 0xB2A2C7, 0x5F497A, 0x3F3151, //
    0x4BACC6, 0xDBEEF3, 0xB7DDE8, 0x92CDDC, 0x31859B, 0x205867, //
    0xF79646, 0xFDEADA, 0xFBD5B5, 0xFAC08F, 0xE36C09, 0x974806, //
    0xC00000, 0xFF0000, 0xFFC000, 0xFFFF00, 0x92D050, 0x00B050, //
    0x00B0F0, 0x0070C0, 0x002060, 0x7030A0,
};

int OpacityToAlpha(int opacity)
{
    const int clamped = std::clamp(opacity, 0, 100);
    return static_cast<int>(RoundHalfEven(clamped / 100.0 * 255.0));
}

uint32_t GetIndexColor(int alpha, int index)
{
    const uint32_t rgb = (index >= 0 && index < kColorTableSize) ? ColorTable[index] : 0x000000u;
    return (static_cast<uint32_t>(alpha & 0xFF) << 24) | rgb;
}

float GetThicknessWidth(uint8_t thickness)
{
    switch (thickness) {
    case 1:
        return 1.6f;
    case 3:
        return 4.5f;
    case 4:
        return 10.0f;
    default:
        return 2.5f;
    }
}

// ---------------------------------------------------------------------------------------------
// Text and layout helpers

int GetFontStyle(bool bold, bool italic, bool underline)
{
    return (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0);
}

int GetAlignType(const QString& text)
{
    static const char* const kNames[] = {"alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
    for (int i = 0; i < 6; ++i) {
        if (text == QLatin1String(kNames[i])) {
            return i + 1;
        }
    }
    return 0;
}

namespace {

// Value of an ASCII decimal or hexadecimal digit; -1 for anything else.
int AsciiDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return 10 + (c - u'a');
    }
    if (c >= u'A' && c <= u'F') {
        return 10 + (c - u'A');
    }
    return -1;
}

// Optional sign, then decimal digits, or (when hexadecimal is allowed) "$" or "0x" and
// hexadecimal digits. Empty optional for anything else or a value beyond 32 bits.
std::optional<int32_t> ParseInt32(const QString& text, bool allowHex)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    int base = 10;
    if (allowHex && pos < text.size() && text[pos] == u'$') {
        base = 16;
        ++pos;
    } else if (allowHex && pos + 1 < text.size() && text[pos] == u'0' &&
               (text[pos + 1] == u'x' || text[pos + 1] == u'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = AsciiDigitValue(text[pos].unicode());
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

} // namespace

std::optional<int32_t> StrToInt(const QString& text)
{
    return ParseInt32(text, true);
}

std::optional<int32_t> DecimalStrToInt(const QString& text)
{
    return ParseInt32(text, false);
}

std::optional<int32_t> GetScreenValue(const QString& text, int screenWidth, int screenHeight)
{
    if (text == QLatin1String("screenX")) {
        return screenWidth;
    }
    if (text == QLatin1String("screenY")) {
        return screenHeight;
    }
    return StrToInt(text);
}
