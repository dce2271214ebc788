#pragma once
// What the feedback and grade panels send, applied to the session's records: the report record of
// every lecture whose key is the lecture being played, and the grade record with its file for the
// launcher. No widgets here: the panels hand over the learner's choices and texts.

#include "session/CommDefine.h"
#include "session/LauncherFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A record is of the lecture being played when its key is a decimal number equal to the current
// lecture key, however many digits (leading zeros included) it is written with. A key that is
// no number belongs to no lecture.
bool IsReportOfLecture(const TReportInfo& p_report, int32_t p_nLectureKey);

// A memo as stored: "&" and "|" would split the fields of the result text, so they become the
// full-width "＆" and "｜"; line breaks become spaces.
QString StoredMemo(const QString& p_sText);

// Proposal item p_nIndex (nothing when no item is chosen, p_nIndex < 0) with its memo.
void SendProposal(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, int p_nIndex, const QString& p_sMemo);
// Evaluation item p_nIndex with its score 2 - p_nIndex (nothing when no item is chosen).
void SendEvaluation(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, int p_nIndex, const QString& p_sMemo);
// The error text of the lecture; an empty text changes nothing.
void SendErrorReport(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, const QString& p_sText);
// The error text stored for the lecture (that of its last record); none when no record is of it.
std::optional<QString> StoredErrorReport(const std::vector<TReportInfo>& p_records, int32_t p_nLectureKey);

// The exam list of the grade panel for the year p_nYear, in list order.
QStringList ExamTypeNames(int p_nYear);

// A grade that holds no more than blanks is no grade.
bool IsGradeEntered(const QString& p_sGrade);

// <roaming>/quorvale/ternwick/lecture/<school_key>/<user_key>/grade.dat
QString GradeFile(const QString& p_sRoamingFolder, const QString& p_sSchoolKey, const QString& p_sUserKey);

// Keeps the grade (exam list position, -1 for none; the mathematics subject) in p_grade and
// writes its line "<exam_type>|,|3|,|<grade>" as the whole grade file. Nothing on success.
std::optional<TLauncherFileError> SendGrade(TGradeInfo& p_grade, int p_nExamType, const QString& p_sGrade,
                                            const QString& p_sPath);
