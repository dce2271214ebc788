#pragma once
// The tool buttons of the title and status bars: where each stands, how its picture follows the
// mouse, its fixed tool tip and the names of its state pictures. The state pictures are hidden
// picture controls named after the button's picture set and the state ("imgPlaySpeedUp" + "Over");
// the play button has a second set ("imgPause...") shown while the voice is paused.

#include "ui/ButtonRules.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class TControlRegistry;
class TPictureButton;
class QWidget;
struct TPlayerState;

// The bar part a tool button stands in.
enum class TToolBarPart : uint8_t { ToolViewLeft, ToolViewRight, TitleViewRight };

struct TToolButtonInfo {
    const char* name;
    TToolBarPart part;
    QRect box;                     // in its part
    const char* pictureSet;        // "imgPlay": imgPlayUp, imgPlayDown, imgPlayOver, imgPlayDisable
    TButtonBehaviour behaviour;
    const char* toolTip;           // UTF-8; empty when SetToolTipText writes it
    bool pressOnly = false;        // a press handler only, and a picture that never changes
};

// Every tool button, the close button last.
const std::vector<TToolButtonInfo>& ToolButtons();
const TToolButtonInfo& ToolButton(const QString& p_sName);

inline constexpr char kPausePictureSet[] = "imgPause";   // the play button while paused

// The names of a picture set's four state pictures: Up, Down, Over, Disable.
QStringList StatePictureNames(const QString& p_sPictureSet);
// Every state picture of every tool button (64).
QStringList AllStatePictureNames();
QString StatePictureName(const QString& p_sPictureSet, TButtonState p_state);

// Makes and registers a tool button in p_parent at its place, with its behaviour, tool tip and
// state pictures found in the registry (the play button's set follows m_bPlaying). p_bLatch: the
// button's hover latch in the player's state, for the buttons that show Over on the first move
// only.
TPictureButton* MakeToolButton(QWidget* p_parent, const QString& p_sName, const TPlayerState& p_state,
                               TControlRegistry& p_registry, bool* p_bLatch = nullptr);
