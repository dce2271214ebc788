#pragma once
// Records, enumerations and small pure helpers shared by every subsystem of the player.

#include "platform/GPGeometry.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Time line

// A frame is the time unit of playback: page lengths, packet time stamps and seek targets.
constexpr int32_t kFrameMilliseconds = 36;

// ---------------------------------------------------------------------------------------------
// Records

// One page of the session catalogue.
class TLectureInfo {
public:
    QString PageName;              // lecture file name without extension
    int32_t PageNo = 0;            // running page number over the session, from 0
    QString PageID;                // the page's id, also its folder name
    uint32_t StartFrameNo = 0;     // first frame of the page on the session time line
    uint32_t FrameCount = 0;       // length of the page in frames
    int32_t PlayMileSeconds = 0;   // FrameCount * 36
};

// One entry of the "resources" element of a page description.
class TResourceInfo {
public:
    int32_t ResourceNo = 0;
    QString ResourceName;
    QString ResourceType;          // the description's "type" text, kept as text
    bool Deployed = false;
    bool Used = false;
    int32_t OrderNo = 0;
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// One drawing command: also the raw 32-byte record of the packet file (little-endian).
struct TPacketItem {
    uint8_t PacketType = 0;
    uint8_t Padding1[3] = {0, 0, 0};
    int32_t FrameNo = 0;           // negative: due at once
    uint32_t DrawNo = 0;
    uint8_t ByteParam = 0;
    uint8_t Padding2 = 0;
    uint16_t Byte2Param = 0;       // carried, never interpreted
    float FloatParam1 = 0.0f;
    float FloatParam2 = 0.0f;
    float FloatParam3 = 0.0f;
    float FloatParam4 = 0.0f;
};

constexpr std::size_t kPacketItemSize = 32;
static_assert(sizeof(TPacketItem) == kPacketItemSize);
static_assert(offsetof(TPacketItem, PacketType) == 0);
static_assert(offsetof(TPacketItem, FrameNo) == 4);
static_assert(offsetof(TPacketItem, DrawNo) == 8);
static_assert(offsetof(TPacketItem, ByteParam) == 12);
static_assert(offsetof(TPacketItem, Byte2Param) == 14);
static_assert(offsetof(TPacketItem, FloatParam1) == 16);
static_assert(offsetof(TPacketItem, FloatParam2) == 20);
static_assert(offsetof(TPacketItem, FloatParam3) == 24);
static_assert(offsetof(TPacketItem, FloatParam4) == 28);

// Decodes / encodes one record from / to its 32-byte little-endian file image.
TPacketItem PacketItemFromBytes(const unsigned char* bytes);
void PacketItemToBytes(const TPacketItem& item, unsigned char* bytes);

// The study session handed over by the launcher.
class TStudyInfo {
public:
    QString study_mode;            // "A" is supervised study
    QString school_key;
    QString user_key;
    uint8_t lecture_type = 0;
    uint8_t similar_exist = 0;
    uint8_t lecture_count = 0;
    QStringList exam_list;         // one launch entry per lecture
};

// The learner's feedback for one lecture.
class TReportInfo {
public:
    QString make_school_key;
    QString lecture_key;
    QString proposal_type;
    QString proposal_memo;
    QString evaluation_type;
    QString evaluation_score;
    QString evaluation_memo;
    QString error_memo;
};

// The exam grade entered by the learner.
class TGradeInfo {
public:
    int32_t exam_type = 0;
    int32_t subject_no = 0;
    QString grade;
};

// The session globals: empty at program start.
extern TStudyInfo g_studyInfo;
extern std::vector<TReportInfo> g_arrayReportInfo;
extern TGradeInfo g_gradeInfo;

// Supervised study: the session's study mode is "A". Every other mode lifts its rules.
bool IsSupervisedStudy();

// ---------------------------------------------------------------------------------------------
// Enumerations (each stored in one byte)

enum class ResourceType : uint8_t {
    ResourceNone = 0,
    GifImage = 1,
    JpgImage = 2,
    PngImage = 3,
    RichXML = 4,
    SwfFlash = 5,
    FlvFlash = 6,
    MP3 = 7,
    Shape = 8,
    Strokes = 9,
};

enum class PopBlinkerType : uint8_t {
    None = 0,
    FireWork = 1,
    Important = 2,
    PopEyes = 3,
};

enum class ShapeType : uint8_t {
    ShapeNone = 0,
    Rectangle = 1,
    RoundRectangle = 2,
    Ellipse = 3,
    Diamond = 4,
    RBRightAngledTriangle = 5,
    LBRightAngledTriangle = 6,
    RTRightAngledTriangle = 7,
    LTRightAngledTriangle = 8,
    TIsoscelesTriangle = 9,
    BIsoscelesTriangle = 10,
    LIsoscelesTriangle = 11,
    RIsoscelesTriangle = 12,
    LTPie = 13,
    RTPie = 14,
    LBPie = 15,
    RBPie = 16,
    RBBentShape = 17,
    LBBentShape = 18,
    RTBentShape = 19,
    LTBentShape = 20,
    Parallelogram = 21,
    Trapezoid = 22,
    Hexagon = 23,
    CrossShape = 24,
    LeftFlow = 25,
    RightFlow = 26,
    TopFlow = 27,
    BottomFlow = 28,
    LeftArrow = 29,
    RightArrow = 30,
    TopArrow = 31,
    BottomArrow = 32,
    Star = 33,
    Doughnut = 34,
    LeftRightArrow = 35,
    TopBottomArrow = 36,
    HorzBeam = 37,
    VertBeam = 38,
    Quadrant = 39,
    HalfQuadrant = 40,
    Hexahedron = 41,
    TriangularPyramid = 42,
    Cone = 43,
    Cylinder = 44,
};

// ---------------------------------------------------------------------------------------------
// Time helpers

// Milliseconds to the player's time text: "MM : SS", each at least two digits, no hours.
QString FormatPlayTime(uint32_t milliseconds);

// The frame of a time: round(ms / 36), ties to even.
int32_t MilliSecondsToFrameNo(uint32_t milliseconds);

// The two halves of a float parameter that carries high * 1000 + low.
uint8_t PackedHighPart(float value);
uint8_t PackedLowPart(float value);

// The first line of a text file (encoding from its byte-order mark, else the locale's 8-bit
// encoding). Empty optional when the file cannot be read or has no line.
std::optional<QString> ReadFirstLine(const QString& path);

// ---------------------------------------------------------------------------------------------
// Rectangles

// The marker of a rectangle still to be computed from content: -2000 in every field.
constexpr float kUnsetRectValue = -2000.0f;

TGPRectF InflateRectF(const TGPRectF& rect, float dx, float dy);
bool PtInRectF(const TGPPointF& point, const TGPRectF& rect);
void InitUnsetRect(TGPRectF& rect);
bool IsUnsetRect(const TGPRectF& rect);

// The crossing of segment P1-P2 with segment P3-P4 (ends count); (0, 0) when they do not cross
// or are parallel or degenerate. Single-precision intermediates.
TGPPointF GetCrossPoint(const TGPPointF& p1, const TGPPointF& p2, const TGPPointF& p3, const TGPPointF& p4);

// ---------------------------------------------------------------------------------------------
// Point lists

// The points of one pen stroke, in order. A list owns its points by value, so copying, clearing
// and handing the points on as a contiguous array are plain vector operations.
using TPointList = std::vector<TGPPointF>;

// A copy of the list padded to 3k + 1 points, so that it reads as a chain of cubic Bezier
// segments (points 0, 3, 6, ... on the curve). With d = 0.0001 added in single precision to
// X and Y each time: one point gets three more at +d, +2d, +3d; otherwise by (N - 1) mod 3:
// 0 nothing, 1 two points (+d, +2d from the last), 2 one point (+d). Empty for an empty list.
TPointList MakeBezierPointList(const TPointList& list);

// ---------------------------------------------------------------------------------------------
// Colours and widths

constexpr int kColorTableSize = 70;
// The palette as 0xRRGGBB.
extern const uint32_t ColorTable[kColorTableSize];

// Opacity in percent (0..100, clamped) to alpha 0..255, halves to even: 50 -> 128, 30 -> 76.
int OpacityToAlpha(int opacity);

// ARGB of a palette entry with the low 8 bits of alpha on top. An index outside the palette
// gives black.
uint32_t GetIndexColor(int alpha, int index);

// Pen width in pixels of a thickness step: 1 -> 1.6, 2 -> 2.5, 3 -> 4.5, 4 -> 10, else 2.5.
float GetThicknessWidth(uint8_t thickness);

// ---------------------------------------------------------------------------------------------
// Text and layout helpers

// Font style bits: bold 1, italic 2, underline 4.
int GetFontStyle(bool bold, bool italic, bool underline);

// Alignment of the layout file: alTop 1, alBottom 2, alLeft 3, alRight 4, alClient 5,
// alCustom 6, anything else 0.
int GetAlignType(const QString& text);

// Integer in the run-time's notation: optional sign, decimal digits, or hexadecimal digits after
// "$" (also "0x"). Surrounding blanks are not accepted. Empty optional when it is no integer or
// does not fit in 32 bits.
std::optional<int32_t> StrToInt(const QString& text);

// Decimal integer only: optional sign and ASCII decimal digits, nothing around them, 32 bits.
std::optional<int32_t> DecimalStrToInt(const QString& text);

// "screenX" gives the screen width, "screenY" the height, anything else StrToInt.
std::optional<int32_t> GetScreenValue(const QString& text, int screenWidth, int screenHeight);
