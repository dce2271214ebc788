#include "ui/SkinLayoutReader.h"

#include "content/XmlDom.h"
#include "session/CommDefine.h"
#include "session/FileUtil.h"
#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/Picture.h"
#include "ui/ShellLook.h"
#include "ui/SkinData.h"
#include "ui/TabSet.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

namespace {

constexpr uint32_t kMaxColor = 0xFFFFFF;

// Thrown by the first failing step: the reading ends there.
struct TStopped {
    TSkinStop stop;
    QString where;
};

// "line 12 <button object="TButton" id="btnPlay">", and the attribute when there is one.
QString Where(const QDomElement& p_element, const QString& p_sAttribute = QString())
{
    QString where = QStringLiteral("line %1 <%2").arg(p_element.lineNumber()).arg(p_element.tagName());
    for (const char* name : {"object", "id"}) {
        if (const std::optional<QString> value = AttributeText(p_element, QLatin1String(name))) {
            where += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), *value);
        }
    }
    where += QLatin1Char('>');
    if (!p_sAttribute.isEmpty()) {
        where += QStringLiteral(" %1=\"%2\"").arg(p_sAttribute, AttributeTextOrEmpty(p_element, p_sAttribute));
    }
    return where;
}

[[noreturn]] void Stop(TSkinStop p_stop, const QDomElement& p_element, const QString& p_sAttribute = QString())
{
    throw TStopped{p_stop, Where(p_element, p_sAttribute)};
}

QDomElement View(const QDomElement& p_root, const char* p_sName)
{
    const QDomElement view = FindChildElement(p_root, QLatin1String(p_sName));
    if (view.isNull()) {
        throw TStopped{TSkinStop::NoView, QStringLiteral("<%1> missing").arg(QLatin1String(p_sName))};
    }
    return view;
}

// A view's flag: exactly "true" sets it, anything else (or nothing) clears it.
bool IsTrue(const QDomElement& p_element, const char* p_sName)
{
    return AttributeTextOrEmpty(p_element, QLatin1String(p_sName)) == QLatin1String("true");
}

// The largest pixel size at most p_nCell whose line height fits in p_nCell.
int PixelSizeForCell(const QFont& p_font, int p_nCell)
{
    int fits = 1;
    int low = 1;
    int high = p_nCell;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        QFont font = p_font;
        font.setPixelSize(middle);
        if (QFontMetrics(font).height() <= p_nCell) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return fits;
}

void SetColorRole(QWidget* p_widget, QPalette::ColorRole p_role, const QColor& p_color)
{
    QPalette palette = p_widget->palette();
    palette.setColor(p_role, p_color);
    p_widget->setPalette(palette);
}

// A negative height is the letters' height in pixels, a positive one the line's; 0 keeps the
// size. The font's family stays (a face the machine lacks falls back to the window's font).
void SetLabelFontHeight(QWidget* p_label, int32_t p_nHeight)
{
    if (p_nHeight == 0) {
        return;
    }
    QFont font = p_label->font();
    const int pixels = static_cast<int>(std::min<int64_t>(std::abs(static_cast<int64_t>(p_nHeight)), TSkinLayoutReader::kMaxFontPixels));
    font.setPixelSize(p_nHeight < 0 ? pixels : PixelSizeForCell(font, pixels));
    p_label->setFont(font);
}

} // namespace

TSkinLayoutReader::TSkinLayoutReader(TPlayerState& p_state, const TSkinLayoutTarget& p_target)
    : m_state(p_state), m_target(p_target)
{
}

TSkinReadResult TSkinLayoutReader::LoadSkinInfo(const QString& p_sPath)
{
    TSkinReadResult result;
    m_nControlsRead = 0;
    try {
        if (!QFile::exists(p_sPath)) {
            throw TStopped{TSkinStop::NoFile, QStringLiteral("no file")};
        }
        const std::optional<QDomDocument> document = LoadXmlDocument(p_sPath);
        if (!document) {
            throw TStopped{TSkinStop::BrokenXml, QStringLiteral("not readable as XML")};
        }
        const QDomElement root = FindChildElement(*document, QStringLiteral("root"));
        if (root.isNull()) {
            throw TStopped{TSkinStop::NoRoot, QStringLiteral("<root> missing")};
        }
        ReadViews(root);
    } catch (const TStopped& stopped) {
        result.stop = stopped.stop;
        result.where = stopped.where;
        qWarning().noquote() << "layout file" << p_sPath << "read up to" << stopped.where
                             << "; the rest keeps the built-in design";
    }
    result.controlsRead = m_nControlsRead;
    return result;
}

void TSkinLayoutReader::ReadViews(const QDomElement& p_root)
{
    const QDomElement title = View(p_root, "titleview");
    m_state.m_bTitleViewFix = IsTrue(title, "fix");
    m_state.m_nShowPostion = Number(title, QStringLiteral("showpos"), TNumbers::IntegersOnly);
    ReadControls(title);

    const QDomElement play = View(p_root, "playview");
    m_state.m_bPlayerViewCenterAlign = IsTrue(play, "aligncenter");
    ReadControls(play);

    const QDomElement status = View(p_root, "statusview");
    m_state.m_bStatusViewFix = IsTrue(status, "fix");
    ReadControls(status);
}

void TSkinLayoutReader::ReadControls(const QDomElement& p_view)
{
    for (const QDomElement& element : ChildElements(p_view)) {
        GetControlTypeWithInfo(element);
        ++m_nControlsRead;
    }
}

void TSkinLayoutReader::GetControlTypeWithInfo(const QDomElement& p_element)
{
    using THandler = void (TSkinLayoutReader::*)(const QDomElement&);
    static const std::pair<const char*, THandler> kHandlers[] = {
        {"TPanel", &TSkinLayoutReader::SetPanelCtrlInfo},
        {"TImage", &TSkinLayoutReader::SetImageCtrlInfo},
        {"TButton", &TSkinLayoutReader::SetBtnCtrlInfo},
        {"TButtonImage", &TSkinLayoutReader::SetBtnImgCtrlInfo},
        {"TLabel", &TSkinLayoutReader::SetLabelCtrlInfo},
        {"TSkinData", &TSkinLayoutReader::SetSkinCtrlInfo},
        {"TTabSet", &TSkinLayoutReader::SetTabSetCtrlInfo},
        {"TbsSkinTrackBar", &TSkinLayoutReader::SetTrackBarCtrlInfo},
    };
    const QString kind = AttributeTextOrEmpty(p_element, QStringLiteral("object"));
    for (const auto& [name, handler] : kHandlers) {
        if (kind == QLatin1String(name)) {
            (this->*handler)(p_element);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// One handler per kind: the attributes in the order the kind reads them.

void TSkinLayoutReader::SetPanelCtrlInfo(const QDomElement& p_element)
{
    QWidget* panel = Widget(p_element, TControlKind::Panel);
    if (Hides(p_element, panel) || Aligns(p_element, panel)) {
        return;
    }
    SetBox(p_element, panel, TNumbers::ScreenValues, TBoxParts::SizeAndPlace);
    if (p_element.hasAttribute(QStringLiteral("bgcolor"))) {
        if (const std::optional<QColor> color = Color(p_element, QStringLiteral("bgcolor"))) {
            SetColorRole(panel, QPalette::Window, *color);
        }
    }
}

void TSkinLayoutReader::SetImageCtrlInfo(const QDomElement& p_element)
{
    SetPictureCtrlInfo(p_element, TNumbers::ScreenValues, TBoxParts::SizeAndPlace);
}

void TSkinLayoutReader::SetBtnCtrlInfo(const QDomElement& p_element)
{
    QWidget* button = Widget(p_element, TControlKind::Picture);
    if (Hides(p_element, button) || Aligns(p_element, button)) {
        return;
    }
    SetBox(p_element, button, TNumbers::IntegersOnly, TBoxParts::SizeAndPlace);
}

void TSkinLayoutReader::SetBtnImgCtrlInfo(const QDomElement& p_element)
{
    SetPictureCtrlInfo(p_element, TNumbers::IntegersOnly, TBoxParts::SizeOnly);
}

// A picture and its image: id, visible, image, align, then its box.
void TSkinLayoutReader::SetPictureCtrlInfo(const QDomElement& p_element, TNumbers p_numbers, TBoxParts p_parts)
{
    QWidget* picture = Widget(p_element, TControlKind::Picture);
    if (Hides(p_element, picture)) {
        return;
    }
    LoadImage(p_element, picture);
    if (Aligns(p_element, picture)) {
        return;
    }
    SetBox(p_element, picture, p_numbers, p_parts);
}

void TSkinLayoutReader::SetLabelCtrlInfo(const QDomElement& p_element)
{
    QWidget* widget = Widget(p_element, TControlKind::Label);
    if (Hides(p_element, widget) || Aligns(p_element, widget)) {
        return;
    }
    SetBox(p_element, widget, TNumbers::ScreenValues, TBoxParts::SizeAndPlace);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(AttributeTextOrEmpty(p_element, QStringLiteral("caption")));
    }
    if (const std::optional<QColor> color = Color(p_element, QStringLiteral("fontcolor"))) {
        SetColorRole(widget, QPalette::WindowText, *color);
    }
    // Both are a height; the size, applied last, wins.
    for (const char* name : {"fontheight", "fontsize"}) {
        SetLabelFontHeight(widget, Number(p_element, QLatin1String(name), TNumbers::IntegersOnly));
    }
}

void TSkinLayoutReader::SetSkinCtrlInfo(const QDomElement& p_element)
{
    auto* skin = dynamic_cast<TSkinData*>(Control(p_element, TControlKind::SkinData));
    const int32_t index = Number(p_element, QStringLiteral("skinindex"), TNumbers::IntegersOnly);
    if (skin) {
        // An index that names no look is ignored.
        skin->SetSkinIndex(index);
    }
}

void TSkinLayoutReader::SetTabSetCtrlInfo(const QDomElement& p_element)
{
    QWidget* widget = Widget(p_element, TControlKind::TabSet);
    if (Aligns(p_element, widget)) {
        return;
    }
    SetBox(p_element, widget, TNumbers::ScreenValues, TBoxParts::SizeAndPlace);
    // Each colour is set as soon as it is read: a fault in the second keeps the first.
    auto* tabs = dynamic_cast<TTabSet*>(widget);
    if (const std::optional<QColor> selected = Color(p_element, QStringLiteral("selectedcolor")); selected && tabs) {
        tabs->SetSelectedColor(*selected);
    }
    if (const std::optional<QColor> unselected = Color(p_element, QStringLiteral("unselectedcolor")); unselected && tabs) {
        tabs->SetUnselectedColor(*unselected);
    }
}

void TSkinLayoutReader::SetTrackBarCtrlInfo(const QDomElement& p_element)
{
    SetBox(p_element, Widget(p_element, TControlKind::TrackBar), TNumbers::ScreenValues, TBoxParts::SizeAndPlace);
}

// ---------------------------------------------------------------------------------------------
// Attributes

QObject* TSkinLayoutReader::Control(const QDomElement& p_element, TControlKind p_enumKind) const
{
    const QString id = AttributeTextOrEmpty(p_element, QStringLiteral("id"));
    if (!m_target.controls.Find(id)) {
        Stop(TSkinStop::UnknownControl, p_element, QStringLiteral("id"));
    }
    QObject* control = m_target.controls.Find(id, p_enumKind);
    if (!control) {
        Stop(TSkinStop::WrongKind, p_element, QStringLiteral("id"));
    }
    return control;
}

QWidget* TSkinLayoutReader::Widget(const QDomElement& p_element, TControlKind p_enumKind) const
{
    auto* widget = qobject_cast<QWidget*>(Control(p_element, p_enumKind));
    if (!widget) {
        Stop(TSkinStop::WrongKind, p_element, QStringLiteral("id"));
    }
    return widget;
}

bool TSkinLayoutReader::Hides(const QDomElement& p_element, QWidget* p_control)
{
    if (AttributeTextOrEmpty(p_element, QStringLiteral("visible")) != QLatin1String("false")) {
        return false;
    }
    p_control->hide();
    return true;
}

// Loaded whole or not at all: a picture that cannot be read leaves the control's picture.
void TSkinLayoutReader::LoadImage(const QDomElement& p_element, QWidget* p_control) const
{
    const std::optional<QString> name = AttributeText(p_element, QStringLiteral("image"));
    if (!name) {
        return;
    }
    const QString path = JoinPath(m_target.imageFolder, *name);
    const QPixmap picture = LoadPictureForRatio(path, p_control->devicePixelRatioF());
    if (picture.isNull()) {
        Stop(TSkinStop::MissingPicture, p_element, QStringLiteral("image"));
    }
    if (auto* target = dynamic_cast<TPicture*>(p_control)) {
        target->SetPicture(picture, path);
    }
}

bool TSkinLayoutReader::Aligns(const QDomElement& p_element, QWidget* p_control) const
{
    const QString text = AttributeTextOrEmpty(p_element, QStringLiteral("align"));
    m_target.align.SetAlign(p_control, static_cast<TAlign>(GetAlignType(text)));
    return text == QLatin1String("alClient");
}

// Each through the control's own setter, so that an aligned control keeps what its alignment
// dictates (a top-aligned panel keeps its parent's width whatever width it is given).
void TSkinLayoutReader::SetBox(const QDomElement& p_element, QWidget* p_control, TNumbers p_numbers,
                               TBoxParts p_parts) const
{
    const auto set = [&](const char* p_sName, auto p_apply) {
        QRect box = p_control->geometry();
        p_apply(box, Number(p_element, QLatin1String(p_sName), p_numbers));
        m_target.align.SetBounds(p_control, box);
    };
    const auto size = [](int32_t value) { return std::clamp<int32_t>(value, 0, kMaxExtent); };
    const auto place = [](int32_t value) { return std::clamp<int32_t>(value, -kMaxExtent, kMaxExtent); };
    set("width", [&](QRect& box, int32_t value) { box.setWidth(size(value)); });
    set("height", [&](QRect& box, int32_t value) { box.setHeight(size(value)); });
    if (p_parts == TBoxParts::SizeOnly) {
        return;
    }
    set("left", [&](QRect& box, int32_t value) { box.moveLeft(place(value)); });
    set("top", [&](QRect& box, int32_t value) { box.moveTop(place(value)); });
}

int32_t TSkinLayoutReader::Number(const QDomElement& p_element, const QString& p_sName, TNumbers p_numbers) const
{
    const QString text = AttributeTextOrEmpty(p_element, p_sName);
    const std::optional<int32_t> value = p_numbers == TNumbers::ScreenValues
                                             ? GetScreenValue(text, m_target.screen.width(), m_target.screen.height())
                                             : StrToInt(text);
    if (!value) {
        Stop(TSkinStop::BadNumber, p_element, p_sName);
    }
    return *value;
}

std::optional<QColor> TSkinLayoutReader::Color(const QDomElement& p_element, const QString& p_sName) const
{
    const int32_t value = Number(p_element, p_sName, TNumbers::IntegersOnly);
    if (value < 0 || static_cast<uint32_t>(value) > kMaxColor) {
        return std::nullopt;
    }
    return ShellLook::LayoutColor(static_cast<uint32_t>(value));
}
