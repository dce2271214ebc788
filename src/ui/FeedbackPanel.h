#pragma once
// What the panels over the board share: a hidden panel of the board area at its design size with
// its background picture filling it (until the skin gives one, the panel paints a plain face
// with its title, so it stays usable), a send and a close button, and the opening and closing
// steps. Opening pauses playback, shows the panel and makes the tool buttons inert
// (m_bActivateView); closing hides it, lifts that and resumes playback, also when playback was
// paused before. Only one panel is open at a time. Choices and texts stay while hidden.

#include "session/CommDefine.h"
#include "ui/Panel.h"

#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QPushButton;
class TAlignEngine;
class TControlRegistry;
class TPicture;
struct TPlayerState;
enum class TMessageKind : uint8_t;

// The records the panels update: the lectures' report records, the grade, and the study whose
// keys name the learner's files.
struct TPanelRecords {
    std::vector<TReportInfo>& reports;
    TGradeInfo& grade;
    const TStudyInfo& study;
};

// What a panel needs of the main window.
struct TPanelHost {
    TPlayerState& state;
    TControlRegistry& registry;
    TAlignEngine& align;
    TPanelRecords records;
    std::function<void()> PauseSound;
    std::function<void()> PlaySound;
    std::function<void(TMessageKind p_enumKind, const QString& p_sText)> ShowMessage;   // modal
    std::function<bool()> IsClosing;
    std::function<void()> SizeChanged;   // the panel took another height: place it again
};

class TFeedbackPanel : public TPanel {
public:
    // The panel p_sName of p_size with the background picture p_sBackground; p_sTitle is painted
    // while the skin has no background for it.
    TFeedbackPanel(QWidget* p_boardArea, TPanelHost& p_host, const QString& p_sName, const QSize& p_size,
                   const QString& p_sBackground, const QString& p_sTitle);

    // Pause, show, inert tool buttons; nothing while any panel or window is open over the board.
    void Open();
    // Hide, tool buttons usable again, resume.
    void Close();

    TPicture* imgBackground;

protected:
    // What the panel does once shown (the error box loads its lecture's text, the grade panel
    // restores what was sent).
    virtual void Opened() {}
    // A push button of the panel, registered under its name, acting on a click.
    QPushButton* AddButton(const char* p_sName, const QString& p_sCaption, const QRect& p_rtBox,
                           std::function<void()> p_onClick);
    void paintEvent(QPaintEvent* event) override;

    TPanelHost& m_host;

private:
    QString m_sTitle;
};
