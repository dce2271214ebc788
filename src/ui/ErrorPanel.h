#pragma once
// The error report panel paErrorView (235 x 170), opened by btnError: free text about a fault in
// the lecture. Opening shows the text sent before for the lecture being played (empty when none
// was); an empty box sends nothing.

#include "ui/FeedbackPanel.h"

class QPlainTextEdit;

class TErrorPanel : public TFeedbackPanel {
public:
    TErrorPanel(QWidget* p_boardArea, TPanelHost& p_host);

    QPlainTextEdit* memoError;
    QPushButton* btnErrorReport;
    QPushButton* btnErrorViewClose;

protected:
    void Opened() override;

private:
    void btnErrorReportClick();
};
