#pragma once
// The layout file (ravo.xml next to the program): read once at start-up, it places, sizes,
// colours, hides and pictures the window's controls, chooses the look of the skinned controls,
// and says whether the title and status bars stay on screen and whether the board is centred.
//
// The file is a document element `root` with three views found by name (titleview, playview,
// statusview, handled in that order whatever the file's order); every child element of a view
// describes one control by its `object` kind and its `id` (any letter case, a control of that
// kind). Each kind reads its attributes in a fixed order, and the first failure (no file, broken
// XML, a view missing, an unknown id or a control of another kind, a required number that is no
// integer, a picture that cannot be loaded) stops the whole reading there: what was applied stays,
// the rest of the file is ignored, and the reason is logged once.

#include "ui/ControlRegistry.h"

#include <QColor>
#include <QDomElement>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

class QWidget;
class TAlignEngine;
struct TPlayerState;

// Where the reading stopped.
enum class TSkinStop : uint8_t {
    None,             // read to its end
    NoFile,           // missing or unreadable
    BrokenXml,        // not well-formed, or in an encoding the reader cannot decode
    NoRoot,           // the document element is not `root`
    NoView,           // titleview, playview or statusview missing
    BadNumber,        // a required number absent, empty or no integer
    UnknownControl,   // an id that names no control
    WrongKind,        // an id that names a control of another kind
    MissingPicture,   // a picture file that cannot be loaded
};

struct TSkinReadResult {
    TSkinStop stop = TSkinStop::None;
    QString where;               // the element and attribute where the reading stopped
    int controlsRead = 0;        // control elements applied to their end (skipped kinds included)
};

// What the layout acts on: the window's controls, its alignment engine, the screen that
// "screenX" and "screenY" stand for, and the picture folder.
struct TSkinLayoutTarget {
    TControlRegistry& controls;
    TAlignEngine& align;
    QSize screen;
    QString imageFolder;
};

class TSkinLayoutReader {
public:
    // A box bigger or farther than this holds nothing a window can show; values beyond it are
    // brought back to it (a window's widest size).
    static constexpr int32_t kMaxExtent = 16777215;
    // Label fonts between 1 and this many pixels.
    static constexpr int kMaxFontPixels = 1000;

    TSkinLayoutReader(TPlayerState& p_state, const TSkinLayoutTarget& p_target);

    // Reads the file and applies it: the view flags into the player's state
    // (m_bTitleViewFix, m_nShowPostion, m_bPlayerViewCenterAlign, m_bStatusViewFix), everything
    // else onto the controls.
    TSkinReadResult LoadSkinInfo(const QString& p_sPath);

private:
    void ReadViews(const QDomElement& p_root);
    void ReadControls(const QDomElement& p_view);
    // Hands the element to the handler of its `object`; an unknown or absent kind is skipped.
    void GetControlTypeWithInfo(const QDomElement& p_element);
    void SetPanelCtrlInfo(const QDomElement& p_element);
    void SetImageCtrlInfo(const QDomElement& p_element);
    void SetBtnCtrlInfo(const QDomElement& p_element);
    void SetBtnImgCtrlInfo(const QDomElement& p_element);
    void SetLabelCtrlInfo(const QDomElement& p_element);
    void SetSkinCtrlInfo(const QDomElement& p_element);
    void SetTabSetCtrlInfo(const QDomElement& p_element);
    void SetTrackBarCtrlInfo(const QDomElement& p_element);

    // How sizes and places are written: "screenX" / "screenY" allowed, or plain integers only.
    enum class TNumbers : uint8_t { ScreenValues, IntegersOnly };
    // Which of the box's four attributes an element reads.
    enum class TBoxParts : uint8_t { SizeOnly, SizeAndPlace };

    // The control the element's id names, of the kind; stops when there is none.
    QObject* Control(const QDomElement& p_element, TControlKind p_enumKind) const;
    QWidget* Widget(const QDomElement& p_element, TControlKind p_enumKind) const;
    void SetPictureCtrlInfo(const QDomElement& p_element, TNumbers p_numbers, TBoxParts p_parts);
    // true when `visible` is exactly "false": the control is hidden and the element ends.
    static bool Hides(const QDomElement& p_element, QWidget* p_control);
    void LoadImage(const QDomElement& p_element, QWidget* p_control) const;
    // Sets the alignment; true when it is alClient, which ends the element.
    bool Aligns(const QDomElement& p_element, QWidget* p_control) const;
    void SetBox(const QDomElement& p_element, QWidget* p_control, TNumbers p_numbers, TBoxParts p_parts) const;
    int32_t Number(const QDomElement& p_element, const QString& p_sName, TNumbers p_numbers) const;
    // A colour attribute: none when it lies outside 0..0xFFFFFF (ignored); stops when no integer.
    std::optional<QColor> Color(const QDomElement& p_element, const QString& p_sName) const;

    TPlayerState& m_state;
    TSkinLayoutTarget m_target;
    int m_nControlsRead = 0;
};
