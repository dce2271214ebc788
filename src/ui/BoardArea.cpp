#include "ui/BoardArea.h"

#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackView.h"
#include "session/FileUtil.h"
#include "ui/ControlRegistry.h"
#include "ui/EventHook.h"
#include "ui/ExScrollBox.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/Picture.h"
#include "ui/ShellLook.h"
#include "ui/WindowRules.h"

#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

constexpr int kWheelStep = 20;

// What a widget hears when its window moves to another screen, or its screen's ratio changes.
const std::initializer_list<QEvent::Type> kScreenEvents = {
    QEvent::ScreenChangeInternal,
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    QEvent::DevicePixelRatioChange,
#endif
};

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

} // namespace

TBoardArea::TBoardArea(QWidget* p_window, TPlayerState& p_state, TControlRegistry& p_registry,
                       std::function<TBoardAreaLayout()> p_layout)
    : scBox(new TExScrollBox(p_window)),
      m_state(p_state),
      m_layout(std::move(p_layout)),
      m_wheelHook(std::make_unique<TEventHook>(nullptr, std::initializer_list<QEvent::Type>{QEvent::Wheel}, [this](QObject*, QEvent* event) {
          Wheel(*static_cast<QWheelEvent*>(event));
          return true;
      })),
      m_screenHook(std::make_unique<TEventHook>(nullptr, kScreenEvents, [this](QObject*, QEvent*) {
          ScreenRatioChanged();
          return false;
      }))
{
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
    CreateFramedBoard();

    imgPin = new TPicture(scBox, QStringLiteral("imgPin"));
    imgPin->setGeometry(84, 523, 47, 40);
    imgPin->setAttribute(Qt::WA_TransparentForMouseEvents);

    p_registry.Register(scBox, TControlKind::ScrollBox);
    p_registry.Register(paFrameView, TControlKind::Panel);
    p_registry.Register(paLectureView, TControlKind::Panel);
    p_registry.Register(pbDraw, TControlKind::PaintBox);
    p_registry.Register(imgPointerStick, TControlKind::Picture);
    p_registry.Register(imgPin, TControlKind::Picture);
    for (QWidget* widget : MouseAreas()) {
        widget->setMouseTracking(true);
        TakeWheelFrom(widget);
    }
    TakeWheelFrom(scBox->horizontalScrollBar());
    TakeWheelFrom(scBox->verticalScrollBar());
    m_screenRatio = [this] { return pbDraw->devicePixelRatioF(); };
    m_screenHook->Watch(pbDraw);
    m_frame.SetDevicePixelRatio(m_screenRatio());
}

TBoardArea::~TBoardArea() = default;

void TBoardArea::CreateFramedBoard()
{
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
    imgPointerStick->SetPicture(QPixmap::fromImage(PointerStickImage(pbDraw->devicePixelRatioF())));
    imgPointerStick->setGeometry(0, 0, kPointerStickSize, kPointerStickSize);
    imgPointerStick->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgPointerStick->hide();
}

std::vector<QWidget*> TBoardArea::MouseAreas() const
{
    return {scBox->viewport(), scBoxContent, paFrameView, paLectureView, pbDraw};
}

// ---------------------------------------------------------------------------------------------
// Desk skins

void TBoardArea::LoadDesk(const QString& p_sImageFolder)
{
    m_frame.LoadDesk(JoinPath(p_sImageFolder, QStringLiteral("back%1.png").arg(m_state.m_intSkinIndex)));
    // The board itself does not show the desk.
    scBox->viewport()->update();
    paFrameView->update();
}

void TBoardArea::btnSkinChangeMouseUp(const QObject* Sender, const QString& p_sImageFolder)
{
    const bool next = Sender->objectName() != QLatin1String("btnSkinChangePrev");
    m_state.m_intSkinIndex = StepSkinIndex(m_state.m_intSkinIndex, next);
    LoadDesk(p_sImageFolder);
}

// ---------------------------------------------------------------------------------------------
// Wheel

void TBoardArea::TakeWheelFrom(QWidget* p_widget)
{
    m_wheelHook->Watch(p_widget);
}

void TBoardArea::Wheel(QWheelEvent& p_event)
{
    p_event.accept();
    const QPoint delta = p_event.angleDelta();
    if (delta.y() == 0 && delta.x() != 0) {
        return;
    }
    FormMouseWheel(delta.y());
}

void TBoardArea::FormMouseWheel(int p_nWheelDelta)
{
    QScrollBar* bar = scBox->verticalScrollBar();
    bar->setValue(bar->value() + (p_nWheelDelta >= 0 ? -kWheelStep : kWheelStep));
}

// ---------------------------------------------------------------------------------------------
// Painting

void TBoardArea::pbBackgroundViewPaint(QPainter& p_painter)
{
    TGPGraphics graphics(p_painter);
    m_frame.PaintDesk(graphics, scBox->viewport()->size());
}

void TBoardArea::pbFrameViewPaint(QPainter& p_painter)
{
    TGPGraphics graphics(p_painter);
    m_frame.PaintFrame(graphics, paFrameView->size());
}

// Only the parts that need painting, each rendered first if the engine has not yet done so. The
// image's pixels go one to one onto the screen's, from the device pixel nearest the surface's
// top-left: where that falls between two (a fractional ratio), the board moves by less than a
// pixel instead of being resampled.
void TBoardArea::pbDrawPaint(QPainter& p_painter, const QRegion& p_region)
{
    if (!m_engine || !m_engine->HasBoardPicture()) {
        return;
    }
    const QImage& board = m_engine->GetBoardImage();
    const qreal ratio = board.devicePixelRatio();
    p_painter.setWorldTransform(QTransform());
    const QTransform toDevice = p_painter.deviceTransform();
    const QPointF origin = toDevice.map(QPointF(0.0, 0.0));
    const QPointF pixel(RoundHalfEven(origin.x()), RoundHalfEven(origin.y()));
    p_painter.setWorldTransform(QTransform::fromTranslate(pixel.x(), pixel.y()) * toDevice.inverted());
    for (const QRect& rect : p_region) {
        const QRect part = DeviceRect(rect, ratio).intersected(board.rect());
        if (part.isEmpty()) {
            continue;
        }
        m_engine->EnsureBoardRendered(LogicalRect(part, ratio));
        p_painter.drawImage(QRectF(part), board, QRectF(part));
    }
}

void TBoardArea::BoardChanged(const QRect& p_rtRegion)
{
    if (p_rtRegion.isEmpty()) {
        pbDraw->update();
    } else {
        pbDraw->update(p_rtRegion);
    }
}

// ---------------------------------------------------------------------------------------------
// Device pixels

void TBoardArea::SetEngine(TPlaybackEngine* p_engine)
{
    m_engine = p_engine;
    if (m_engine) {
        m_engine->SetDevicePixelRatio(m_screenRatio());
    }
}

void TBoardArea::ScreenRatioChanged()
{
    const qreal ratio = m_screenRatio();
    m_frame.SetDevicePixelRatio(ratio);
    imgPointerStick->SetPicture(QPixmap::fromImage(PointerStickImage(ratio)));
    if (m_engine) {
        m_engine->SetDevicePixelRatio(ratio);
    }
    scBox->viewport()->update();
    paFrameView->update();
}

// ---------------------------------------------------------------------------------------------
// Frame, placement and zoom

void TBoardArea::SetFrameImage(const QString& p_sImageFolder, const QString& p_sFrameImageType)
{
    m_frame.LoadFrame(p_sImageFolder, p_sFrameImageType);
    paFrameView->update();
}

void TBoardArea::ReMovePlayerView()
{
    if (!m_engine || !m_engine->HasBoardPicture()) {
        return;
    }
    const QRect frame = PlaceFramedBoard(m_layout(), m_state.m_ptOriginalImage, m_state.m_viewRatio);
    paFrameView->setGeometry(frame);
    paLectureView->setGeometry(kBoardFrameMargin, kBoardFrameMargin, frame.width() - 2 * kBoardFrameMargin,
                               frame.height() - 2 * kBoardFrameMargin);
    scBoxContent->resize(frame.right() + 1, frame.bottom() + 1);
}

TIntPoint TBoardArea::GetBoardSurfaceSize() const
{
    return {pbDraw->width(), pbDraw->height()};
}

void TBoardArea::SetBoardSurfaceSize(const TIntPoint& p_ptSize)
{
    pbDraw->resize(p_ptSize.X, p_ptSize.Y);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

QPoint TBoardArea::GetScrollOffset() const
{
    return {scBox->horizontalScrollBar()->value(), scBox->verticalScrollBar()->value()};
}

void TBoardArea::SetScrollOffset(const QPoint& p_ptOffset)
{
    scBox->horizontalScrollBar()->setValue(p_ptOffset.x());
    scBox->verticalScrollBar()->setValue(p_ptOffset.y());
}

QSize TBoardArea::GetVisibleSize() const
{
    const TBoardAreaLayout layout = m_layout();
    return {layout.screen.width(), layout.screen.height() - layout.statusHeight};
}

QRect TBoardArea::GetVisibleBoardRect() const
{
    const QPoint boardOrigin = paFrameView->pos() + QPoint(kBoardFrameMargin, kBoardFrameMargin);
    return QRect(GetScrollOffset() - boardOrigin, scBox->viewport()->size());
}

// ---------------------------------------------------------------------------------------------
// Pointer

void TBoardArea::ShowPointerStick()
{
    imgPointerStick->show();
    imgPointerStick->raise();
}

void TBoardArea::PlacePointerStick(int32_t p_nLeft, int32_t p_nTop)
{
    imgPointerStick->move(p_nLeft, p_nTop);
}

void TBoardArea::HidePointerStick()
{
    imgPointerStick->hide();
}

bool TBoardArea::IsPointerStickVisible() const
{
    return !imgPointerStick->isHidden();
}
