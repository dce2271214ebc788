#pragma once
// The study result handed back to the launcher when a session has been played to its end: the
// text, and how it is fitted into the room the launcher's shared block leaves for it.

#include "session/CommDefine.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <string>
#include <vector>

// "A&" lecture_type "&" lecture_count, one field per lecture of the session (its report record's
// eight values joined by "|,|"), then "&1&END". A lecture without a report record contributes
// eight empty values. Memos go in as typed, without escaping.
QString BuildStudyResultText(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo);

// The bytes to write at the result offset: the text in the locale's 8-bit encoding and a zero
// byte, never more than p_uRoom bytes. A text that does not fit keeps every key, type and score
// and its closing "1&END"; the memos (the only free-length values) keep as much of their text,
// in lecture order, as the room allows. When even the text without memos does not fit, only the
// zero byte is written (an empty result); with no room at all, nothing.
QByteArray FitStudyResult(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo,
                          std::size_t p_uRoom);

// Opens the launcher's block, writes the fitted result at the result offset and sets the
// result event. false, with nothing written and no event set, when there is no such block.
bool HandOffStudyResult(const TStudyInfo& p_studyInfo, const std::vector<TReportInfo>& p_arrayReportInfo,
                        const std::string& p_sBlockName, const std::string& p_sEventName);
