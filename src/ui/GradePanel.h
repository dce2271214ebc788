#pragma once
// The grade panel paGradeView (280 x 200; 355 with the prize list rolled down), opened with
// Ctrl+G: an exam of the list and the mathematics grade, written for the launcher into the
// learner's grade file. A blank grade is refused with a warning; a file that cannot be written is
// reported, and the panel stays open with the old file as it was. Opened again after a send it
// shows what was sent.

#include "ui/FeedbackPanel.h"

class QComboBox;
class QLineEdit;

class TGradePanel : public TFeedbackPanel {
public:
    static constexpr int kRolledUpHeight = 200;
    static constexpr int kRolledDownHeight = 355;

    TGradePanel(QWidget* p_boardArea, TPanelHost& p_host);

    // Toggles the prize list; the panel then takes its other height.
    void paPresentDetailClick();
    bool IsPresentDetailRolledDown() const;

    QComboBox* cbExamType;
    QLineEdit* ebGrade;
    QPushButton* btnGradeSend;
    QPushButton* btnGradeViewClose;
    TPanel* paPresentDetail;
    QPushButton* btnPresentDetailCaption;   // the roll-up's caption bar, which toggles it
    TPicture* imgPresentDetail;

protected:
    void Opened() override;

private:
    void btnGradeSendClick();
};
