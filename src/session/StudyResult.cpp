#include "session/StudyResult.h"

#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/SharedBlock.h"
#include "session/LaunchParams.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace {

const QString kFieldSeparator = QStringLiteral("&");
const QString kValueSeparator = QStringLiteral("|,|");

QString ReportField(const TReportInfo& p_report)
{
    return QStringList{p_report.make_school_key, p_report.lecture_key,     p_report.proposal_type,
                       p_report.proposal_memo,   p_report.evaluation_type, p_report.evaluation_score,
                       p_report.evaluation_memo, p_report.error_memo}
        .join(kValueSeparator);
}

std::array<QString*, 3> MemosOf(TReportInfo& p_report)
{
    return {&p_report.proposal_memo, &p_report.evaluation_memo, &p_report.error_memo};
}

// The longest start of the text whose 8-bit form has at most p_uBytes bytes, cut between
// whole characters.
QString PrefixWithin(const QString& p_sText, std::size_t p_uBytes)
{
    qsizetype low = 0;
    qsizetype high = p_sText.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (static_cast<std::size_t>(p_sText.left(mid).toLocal8Bit().size()) <= p_uBytes) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    if (low > 0 && p_sText.at(low - 1).isHighSurrogate()) {
        --low;
    }
    return p_sText.left(low);
}

} // namespace

QString BuildStudyResultText(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo)
{
    QStringList fields{QStringLiteral("A"), QString::number(p_studyInfo.lecture_type),
                       QString::number(p_studyInfo.lecture_count)};
    for (std::size_t i = 0; i < p_studyInfo.lecture_count; ++i) {
        fields << ReportField(i < p_arrayReportInfo.size() ? p_arrayReportInfo[i] : TReportInfo{});
    }
    fields << QStringLiteral("1") << QStringLiteral("END");
    return fields.join(kFieldSeparator);
}

QByteArray FitStudyResult(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo,
                          std::size_t p_uRoom)
{
    if (p_uRoom == 0) {
        return {};
    }
    const std::size_t textRoom = p_uRoom - 1;   // the zero byte always fits
    QByteArray text = BuildStudyResultText(p_studyInfo, p_arrayReportInfo).toLocal8Bit();
    if (static_cast<std::size_t>(text.size()) > textRoom) {
        std::vector<TReportInfo> fitted = p_arrayReportInfo;
        std::vector<QString> memos;
        for (TReportInfo& report : fitted) {
            for (QString* memo : MemosOf(report)) {
                memos.push_back(std::exchange(*memo, QString()));
            }
        }
        const std::size_t fixedBytes = static_cast<std::size_t>(BuildStudyResultText(p_studyInfo, fitted).toLocal8Bit().size());
        std::size_t budget = textRoom >= fixedBytes ? textRoom - fixedBytes : 0;
        auto memo = memos.cbegin();
        for (TReportInfo& report : fitted) {
            for (QString* field : MemosOf(report)) {
                *field = PrefixWithin(*memo++, budget);
                budget -= static_cast<std::size_t>(field->toLocal8Bit().size());
            }
        }
        text = BuildStudyResultText(p_studyInfo, fitted).toLocal8Bit();
        if (static_cast<std::size_t>(text.size()) > textRoom) {
            text.clear();   // not even the keys fit: an empty result
        }
    }
    text.append('\0');
    return text;
}

bool HandOffStudyResult(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo,
                        const std::string& p_sBlockName, const std::string& p_sEventName)
{
    TSharedBlock block;
    if (!block.Open(p_sBlockName)) {
        return false;
    }
    const std::size_t room = block.Size() > kResultTextOffset ? block.Size() - kResultTextOffset : 0;
    const QByteArray bytes = FitStudyResult(p_studyInfo, p_arrayReportInfo, room);
    if (!bytes.isEmpty()) {
        block.WriteBytes(kResultTextOffset, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    block.Close();
    TNamedEvent event;
    if (event.CreateOrOpen(p_sEventName)) {
        event.Set();
    }
    return true;
}
