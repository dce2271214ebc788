// ravo-tool dump PACKET_FILE: every record of a packet file, one line each, tab-separated:
// index, PacketType, FrameNo, DrawNo, ByteParam, FloatParam1..4. Floats are printed with nine
// significant digits, which read back to the same single-precision value.

#include "ToolCommands.h"

#include "content/PacketFile.h"

#include <cstdio>

int RunDumpCommand(const QStringList& args)
{
    if (args.size() != 1) {
        ToolError(QStringLiteral("usage: ravo-tool dump PACKET_FILE"));
        return kToolExitUsage;
    }
    TPacketFile packets;
    const TPacketLoadResult result = packets.LoadPacketFile(args[0]);
    if (result.status == TPacketLoadStatus::Missing) {
        ToolError(QStringLiteral("%1: no such file").arg(args[0]));
        return kToolExitProblem;
    }
    const std::vector<TPacketItem>& items = packets.GetPacketList();
    for (size_t i = 0; i < items.size(); ++i) {
        const TPacketItem& item = items[i];
        std::printf("%zu\t%u\t%d\t%u\t%u\t%.9g\t%.9g\t%.9g\t%.9g\n", i, static_cast<unsigned>(item.PacketType),
                    item.FrameNo, item.DrawNo, static_cast<unsigned>(item.ByteParam),
                    static_cast<double>(item.FloatParam1), static_cast<double>(item.FloatParam2),
                    static_cast<double>(item.FloatParam3), static_cast<double>(item.FloatParam4));
    }
    std::fflush(stdout);
    if (result.status == TPacketLoadStatus::Truncated) {
        ToolError(QStringLiteral("%1: %2 complete records, then %3 bytes that are no whole record")
                      .arg(args[0])
                      .arg(items.size())
                      .arg(result.ignoredBytes));
        return kToolExitProblem;
    }
    if (result.status == TPacketLoadStatus::Unreadable) {
        ToolError(QStringLiteral("%1: could not be read (%2 records read, %3 bytes left)")
                      .arg(args[0])
                      .arg(items.size())
                      .arg(result.ignoredBytes));
        return kToolExitProblem;
    }
    return kToolExitOk;
}
