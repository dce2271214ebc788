// The board area of the main window: the desk behind everything, the frame of eight pieces, the
// board surface painted from the engine's board image, the pointer, the placement of the framed
// board for the current zoom, and the mouse wheel.

#include "ui/Form1.h"

#include "platform/Rounding.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "platform/graphics/GPTextureBrush.h"
#include "session/FileUtil.h"
#include "ui/ExScrollBox.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/Picture.h"
#include "ui/ShellLook.h"
#include "ui/StatusView.h"
#include "ui/TabSet.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QWheelEvent>

namespace {

constexpr int kWheelStep = 20;
constexpr int kFramePiece = 20;   // corners 20 x 20, edges 20 thick
constexpr int kPointerStickSize = 32;

// Thin, quiet scroll bars over the desk.
const char* const kScrollBarStyle = R"(
QScrollBar { background: #2B303A; border: none; }
QScrollBar:vertical { width: 10px; }
QScrollBar:horizontal { height: 10px; }
QScrollBar::handle { background: #687385; border-radius: 4px; margin: 2px; }
QScrollBar::handle:hover { background: #8792A6; }
QScrollBar::handle:vertical { min-height: 30px; }
QScrollBar::handle:horizontal { min-width: 30px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QAbstractScrollArea::corner { background: #2B303A; }
)";

// Frame piece suffixes in drawing order: top-left, left, bottom-left, bottom, bottom-right,
// right, top-right, top.
const std::array<QString, 8> kFrameSuffix = {
    QStringLiteral("LT.png"), QStringLiteral("L.png"),  QStringLiteral("LB.png"), QStringLiteral("B.png"),
    QStringLiteral("RB.png"), QStringLiteral("R.png"), QStringLiteral("RT.png"), QStringLiteral("T.png"),
};

QString FrameSetName(const QString& p_sFrameImageType)
{
    if (p_sFrameImageType == QLatin1String("WhiteNote")) {
        return QStringLiteral("WhiteNoteFrame");
    }
    if (p_sFrameImageType == QLatin1String("BlackBoard") || p_sFrameImageType == QLatin1String("LectureImage")) {
        return QStringLiteral("WhiteBoardFrame");
    }
    return QString();
}

int Round(double p_dValue)
{
    return static_cast<int>(RoundHalfEven(p_dValue));
}

// A teacher's pointer stick: its tip at the top-left corner of the picture.
QPixmap PointerStickPicture()
{
    QPixmap pixmap(kPointerStickSize, kPointerStickSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x3B, 0x2A, 0x1E, 110), 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6, 6), QPointF(30, 30));
    painter.setPen(QPen(QColor(0xB9, 0x82, 0x4C), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5, 5), QPointF(29, 29));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE5, 0x3E, 0x3E));
    painter.drawEllipse(QPointF(4.5, 4.5), 3.5, 3.5);
    return pixmap;
}

// Pixel centres at half coordinates, as on the board: the pictures' pixels land on the window's
// pixels instead of half a pixel down and right, which left a line of the panel's colour along
// the top and left edges.
void AlignToPixels(TGPGraphics& p_graphics)
{
    p_graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
}

void FillTiled(TGPGraphics& p_graphics, const TGPImage& p_image, const TGPRectF& p_rect, float p_fOriginX,
               float p_fOriginY)
{
    TGPTextureBrush brush(p_image);
    brush.TranslateTransform(p_fOriginX, p_fOriginY);
    p_graphics.FillRectangle(brush, p_rect);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Design

void TForm1::CreateBoardArea()
{
    scBox = new TExScrollBox(this);
    scBox->setObjectName(QStringLiteral("scBox"));
    // The arrow keys belong to the key hook, not to scrolling.
    scBox->setFocusPolicy(Qt::NoFocus);
    // Where no desk picture paints (an unreadable skin), the area's own colour shows.
    QPalette desk = scBox->viewport()->palette();
    desk.setColor(QPalette::Window, ShellLook::kDeskColor);
    scBox->viewport()->setPalette(desk);
    scBox->viewport()->setBackgroundRole(QPalette::Window);
    scBox->setWidgetResizable(false);
    scBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scBox->setStyleSheet(QString::fromLatin1(kScrollBarStyle));
    scBox->SetOnViewportPaint([this](QPainter& painter) { pbBackgroundViewPaint(painter); });
    scBox->SetOnNcMouseMove([this](int x, int y) { ShowToolBar(x, y); });

    scBoxContent = new QWidget;
    scBoxContent->setObjectName(QStringLiteral("scBoxContent"));
    scBox->setWidget(scBoxContent);
    // The desk is painted by the scroll box behind the content.
    scBoxContent->setAutoFillBackground(false);

    paFrameView = new TPaintBox(scBoxContent, QStringLiteral("paFrameView"));
    paFrameView->SetOnPaint([this](QPainter& painter, const QRegion&) { pbFrameViewPaint(painter); });
    paFrameView->setGeometry(0, 0, 470, 360);

    paLectureView = new TPanel(paFrameView, QStringLiteral("paLectureView"), Qt::white);
    paLectureView->setGeometry(kBoardFrameMargin, kBoardFrameMargin, 470 - 2 * kBoardFrameMargin,
                               360 - 2 * kBoardFrameMargin);

    pbDraw = new TPaintBox(paLectureView, QStringLiteral("pbDraw"));
    pbDraw->SetOnPaint([this](QPainter& painter, const QRegion& region) { pbDrawPaint(painter, region); });
    pbDraw->setGeometry(0, 0, 0, 0);

    imgPointerStick = new TPicture(paLectureView, QStringLiteral("imgPointerStick"));
    imgPointerStick->SetPicture(PointerStickPicture());
    imgPointerStick->setGeometry(0, 0, kPointerStickSize, kPointerStickSize);
    imgPointerStick->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgPointerStick->hide();

    m_registry.Register(scBox, TControlKind::ScrollBox);
    m_registry.Register(paFrameView, TControlKind::Panel);
    m_registry.Register(paLectureView, TControlKind::Panel);
    m_registry.Register(pbDraw, TControlKind::PaintBox);
    m_registry.Register(imgPointerStick, TControlKind::Picture);

    for (QWidget* widget : {static_cast<QWidget*>(scBox->viewport()), scBoxContent, static_cast<QWidget*>(paFrameView),
                            static_cast<QWidget*>(paLectureView), static_cast<QWidget*>(pbDraw)}) {
        WatchMouse(widget);
    }
    scBox->horizontalScrollBar()->installEventFilter(this);
    scBox->verticalScrollBar()->installEventFilter(this);
}

void TForm1::WatchMouse(QWidget* p_widget)
{
    p_widget->setMouseTracking(true);
    p_widget->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && m_bStartedUp && IsPanelAnchor(watched)) {
        PlaceFeedbackPanels();
    }
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == paStatusView->tabLecturePage) {
        tabLecturePageMouseDown(*static_cast<QMouseEvent*>(event));
    }
    if (event->type() == QEvent::MouseMove && watched != scBox->horizontalScrollBar() &&
        watched != scBox->verticalScrollBar()) {
        const QPoint screen = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        ShowToolBar(screen.x(), screen.y());
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const QPoint delta = event->angleDelta();
    // A sideways turn is not the wheel this rule is about.
    if (delta.y() == 0 && delta.x() != 0) {
        return;
    }
    FormMouseWheel(delta.y());
}

void TForm1::FormMouseWheel(int p_nWheelDelta)
{
    QScrollBar* bar = scBox->verticalScrollBar();
    bar->setValue(bar->value() + (p_nWheelDelta >= 0 ? -kWheelStep : kWheelStep));
}

QSize TForm1::ScreenSize() const
{
    if (m_options.screenSize.isValid()) {
        return m_options.screenSize;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(kFailedStartUpWidth, kFailedStartUpHeight);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TForm1::pbBackgroundViewPaint(QPainter& p_painter)
{
    if (!m_gpImageBackGround) {
        return;
    }
    TGPGraphics graphics(p_painter);
    AlignToPixels(graphics);
    const QSize size = scBox->viewport()->size();
    FillTiled(graphics, *m_gpImageBackGround,
              {0.0f, 0.0f, static_cast<float>(size.width()), static_cast<float>(size.height())}, 0.0f, 0.0f);
}

void TForm1::pbFrameViewPaint(QPainter& p_painter)
{
    const float W = static_cast<float>(paFrameView->width());
    const float H = static_cast<float>(paFrameView->height());
    const float piece = kFramePiece;
    TGPGraphics graphics(p_painter);
    AlignToPixels(graphics);
    if (m_gpImageBackGround) {
        FillTiled(graphics, *m_gpImageBackGround, {0.0f, 0.0f, W, H}, 0.0f, 0.0f);
    }
    if (!m_gpImageFrame[0]) {
        return;
    }
    const auto& frame = m_gpImageFrame;
    graphics.DrawImage(*frame[0], 0.0f, 0.0f);
    FillTiled(graphics, *frame[1], {0.0f, piece, static_cast<float>(frame[1]->GetWidth()), H - 2 * piece}, 0.0f, piece);
    graphics.DrawImage(*frame[2], 0.0f, H - piece);
    FillTiled(graphics, *frame[3], {piece, H - piece, W - 2 * piece, static_cast<float>(frame[3]->GetHeight())}, piece,
              H - piece);
    graphics.DrawImage(*frame[4], W - piece, H - piece);
    FillTiled(graphics, *frame[5], {W - piece, piece, piece, H - 2 * piece}, W - piece, piece);
    graphics.DrawImage(*frame[6], W - piece, 0.0f);
    FillTiled(graphics, *frame[7], {piece, 0.0f, W - 2 * piece, piece}, piece, 0.0f);
}

// Only the parts that need painting, each rendered first if the engine has not yet done so.
void TForm1::pbDrawPaint(QPainter& p_painter, const QRegion& p_region)
{
    if (!m_engine || !m_engine->HasBoardPicture()) {
        return;
    }
    for (const QRect& rect : p_region) {
        const QRect part = rect.intersected(m_engine->GetBoardImage().rect());
        if (part.isEmpty()) {
            continue;
        }
        m_engine->EnsureBoardRendered(part);
        p_painter.drawImage(part.topLeft(), m_engine->GetBoardImage(), part);
    }
}

void TForm1::BoardChanged(const QRect& p_rtRegion)
{
    if (p_rtRegion.isEmpty()) {
        pbDraw->update();
    } else {
        pbDraw->update(p_rtRegion);
    }
}

// ---------------------------------------------------------------------------------------------
// Frame, placement and zoom

void TForm1::SetFrameImage(const QString& p_sFrameImageType)
{
    const QString folder = JoinPath(m_state.m_sExeDir, QStringLiteral("image"));
    const QString set = FrameSetName(p_sFrameImageType);
    for (size_t i = 0; i < kFrameSuffix.size(); ++i) {
        m_gpImageFrame[i] = std::make_unique<TGPImage>(JoinPath(folder, set + kFrameSuffix[i]));
    }
    paFrameView->update();
}

void TForm1::ReMovePlayerView()
{
    if (!m_engine || !m_engine->HasBoardPicture()) {
        return;
    }
    const double ratio = m_state.m_viewRatio;
    const int fw = Round(ratio * m_state.m_ptOriginalImage.X + 2 * kBoardFrameMargin);
    const int fh = Round(m_state.m_ptOriginalImage.Y * ratio + 2 * kBoardFrameMargin);
    const QSize screen = ScreenSize();
    const int statusHeight = paStatusView->height();
    const bool statusFix = m_state.m_bStatusViewFix;
    int left = 0;
    int top = 0;
    if (m_state.m_bPlayerViewCenterAlign) {
        left = Round((screen.width() - fw) / 2.0);
        top = statusFix ? Round((screen.height() - fh - statusHeight) / 2.0) : Round((screen.height() - fh) / 2.0);
    }
    if ((statusFix && screen.height() - statusHeight < fh) || (!statusFix && screen.height() < fh)) {
        top = 0;
    }
    if (screen.width() < fw) {
        left = 0;
    }
    paFrameView->setGeometry(left, top, fw, fh);
    paLectureView->setGeometry(kBoardFrameMargin, kBoardFrameMargin, fw - 2 * kBoardFrameMargin,
                               fh - 2 * kBoardFrameMargin);
    scBoxContent->resize(left + fw, top + fh);
}

void TForm1::ResizeingImage(bool p_bIncrease)
{
    m_engine->ResizeingImage(p_bIncrease);
}

TIntPoint TForm1::GetBoardSurfaceSize() const
{
    return {pbDraw->width(), pbDraw->height()};
}

void TForm1::SetBoardSurfaceSize(const TIntPoint& p_ptSize)
{
    pbDraw->resize(p_ptSize.X, p_ptSize.Y);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

QPoint TForm1::GetScrollOffset() const
{
    return {scBox->horizontalScrollBar()->value(), scBox->verticalScrollBar()->value()};
}

void TForm1::SetScrollOffset(const QPoint& p_ptOffset)
{
    scBox->horizontalScrollBar()->setValue(p_ptOffset.x());
    scBox->verticalScrollBar()->setValue(p_ptOffset.y());
}

QSize TForm1::GetVisibleSize() const
{
    const QSize screen = ScreenSize();
    return {screen.width(), screen.height() - paStatusView->height()};
}

// The scroll box's visible area in board pixels: the board starts where the placed frame puts it.
QRect TForm1::GetVisibleBoardRect() const
{
    const QPoint boardOrigin = paFrameView->pos() + QPoint(kBoardFrameMargin, kBoardFrameMargin);
    return QRect(GetScrollOffset() - boardOrigin, scBox->viewport()->size());
}

// ---------------------------------------------------------------------------------------------
// Pointer

void TForm1::ShowPointerStick()
{
    imgPointerStick->show();
    imgPointerStick->raise();
}

void TForm1::PlacePointerStick(int32_t p_nLeft, int32_t p_nTop)
{
    imgPointerStick->move(p_nLeft, p_nTop);
}

void TForm1::HidePointerStick()
{
    imgPointerStick->hide();
}

bool TForm1::IsPointerStickVisible() const
{
    return !imgPointerStick->isHidden();
}
