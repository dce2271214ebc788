#include "GrabSchedule.h"

#include "ui/FeedbackPanel.h"
#include "ui/Form1.h"
#include "playback/PlaybackEngine.h"

#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kPollIntervalMs = 40;

} // namespace

TGrabSchedule::TGrabSchedule(TForm1& p_form, const QString& p_sSchedule)
    : m_form(p_form), m_timer(new QTimer(this))
{
    for (const QString& entry : p_sSchedule.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        bool ok = false;
        const int32_t at = entry.left(colon).trimmed().toInt(&ok);
        if (colon <= 0 || !ok) {
            std::fprintf(stderr, "RAVO_GRAB: ignoring \"%s\" (expected MS:ACTION)\n", qPrintable(entry));
            continue;
        }
        m_steps.push_back({at, entry.mid(colon + 1).trimmed()});
    }
    if (!m_steps.empty()) {
        connect(m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer->start(kPollIntervalMs);
    }
}

void TGrabSchedule::Poll()
{
    while (m_nNext < m_steps.size() && m_form.State().m_intCurrentMilesSecond >= m_steps[m_nNext].at) {
        Run(m_steps[m_nNext++]);
    }
    if (m_nNext == m_steps.size()) {
        m_timer->stop();
    }
}

void TGrabSchedule::Run(const TStep& p_step)
{
    if (p_step.action == QLatin1String("+") || p_step.action == QLatin1String("-")) {
        m_form.Engine().ResizeingImage(p_step.action == QLatin1String("+"));
        return;
    }
    for (const bool open : {true, false}) {
        const QString verb = open ? QStringLiteral("open ") : QStringLiteral("close ");
        if (p_step.action.startsWith(verb)) {
            auto* panel = m_form.Controls().FindAs<TFeedbackPanel>(p_step.action.mid(verb.size()), TControlKind::Panel);
            if (panel && open) {
                panel->Open();
            } else if (panel) {
                panel->Close();
            }
            return;
        }
    }
    // "screen PATH": the screen as the display shows it, at its device pixels; a bare path: the
    // window painted again into a picture.
    const QString screenVerb = QStringLiteral("screen ");
    if (p_step.action.startsWith(screenVerb)) {
        const QString path = p_step.action.mid(screenVerb.size());
        QScreen* screen = m_form.screen();
        if (!screen || !screen->grabWindow(0).save(path, "PNG")) {
            std::fprintf(stderr, "RAVO_GRAB: cannot write %s\n", qPrintable(path));
        }
        return;
    }
    if (!m_form.grab().save(p_step.action, "PNG")) {
        std::fprintf(stderr, "RAVO_GRAB: cannot write %s\n", qPrintable(p_step.action));
    }
}
