#pragma once
// The status text over the board (lbStatusMessage): bold sky-blue text drawn with a thin dark
// outline, so it stays legible on a white note, a dark board or any picture. It takes no mouse
// input: the board under it keeps its moves. A message stays 3 s (tmMessageStatus); then the text
// goes back to what stands while no message shows: that no sound device plays, or nothing.

#include <QLabel>

class QTimer;

class TStatusMessage : public QLabel {
public:
    static constexpr int kLeft = 107;
    static constexpr int kTop = 13;
    static constexpr int kWidth = 182;
    static constexpr int kHeight = 24;

    static constexpr int kMessageStatusIntervalMs = 3000;

    explicit TStatusMessage(QWidget* parent);

    // Shows the text, widening the label when the text needs more than its design width.
    void ShowText(const QString& p_sText);
    // A message for 3 s. A running timer is not restarted: the text goes 3 s after the first of
    // quick messages.
    void ShowMessage(const QString& p_sText);
    // The message under way goes at once.
    void EndMessage();
    // The message under way stays until the next one.
    void StopMessageClock();
    // While no sound device plays (the audio library keeps retrying it), the standing text says
    // so; a message shows over it for its 3 s.
    void ShowSoundDeviceMissing(bool p_bMissing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString StandingText() const;

    QTimer* tmMessageStatus;
    bool m_bSoundDeviceMissing = false;
};
