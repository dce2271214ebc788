// Any bytes of the launcher's shared block go through the launch text reader: it must never
// crash, and what it fills must stay consistent with the lecture count it read.
#include "session/LaunchParams.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = LaunchTextFromBytes(reinterpret_cast<const char*>(data), size);
    TPlayerState state;
    const std::optional<TLaunchError> error = ApplyLaunchText(text, state);

    const qsizetype count = g_studyInfo.lecture_count;
    Check(g_studyInfo.exam_list.size() == count || (error && g_studyInfo.exam_list.isEmpty()));
    Check(state.m_arrayLectureName.size() == g_studyInfo.exam_list.size());
    Check(g_arrayReportInfo.size() == static_cast<std::size_t>(g_studyInfo.exam_list.size()));
    Check(!error || !error->Message.isEmpty());
    if (!error) {
        for (const QString& name : state.m_arrayLectureName) {
            Check(name.endsWith(QStringLiteral(".wyl")));
        }
    }
    return 0;
}
