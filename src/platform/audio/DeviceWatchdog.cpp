#include "platform/audio/DeviceWatchdog.h"

bool TDeviceWatchdog::Stalled(uint64_t p_u64Callbacks, int64_t p_n64NowNs)
{
    if (p_u64Callbacks != m_u64SeenCallbacks) {
        m_u64SeenCallbacks = p_u64Callbacks;
        m_n64SeenAtNs = p_n64NowNs;
        return false;
    }
    return p_n64NowNs - m_n64StartedAtNs > kStartAllowanceNs && p_n64NowNs - m_n64SeenAtNs > kStallNs;
}
