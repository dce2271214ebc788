// What may be read from a lecture folder at all: regular files of a size the readers can hold,
// XML nested no deeper than a document of ours. Anything else is refused at once, with the file
// named where a size or a depth was the cause.

#include "ContentFixture.h"

#include "content/PacketFile.h"
#include "content/XmlDom.h"
#include "platform/ContentFile.h"

#include <QtGlobal>

#include <sys/stat.h>

#include <functional>

namespace {

QStringList g_warnings;

void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg) {
        g_warnings << message;
    }
}

// Collects the warnings given while it lives.
class TWarningLog {
public:
    TWarningLog() : m_previous(qInstallMessageHandler(RecordWarning)) { g_warnings.clear(); }
    ~TWarningLog() { qInstallMessageHandler(m_previous); }
    const QStringList& Warnings() const { return g_warnings; }

private:
    QtMessageHandler m_previous;
};

class ContentFileTest : public ScratchFolder {};

// A FIFO would block each reader until a writer came, which none ever does; a folder or a
// missing path is no file either. Every reader answers at once.
TEST_F(ContentFileTest, WhatIsNotARegularFileIsRefusedByEveryReaderAtOnce)
{
    const QString fifo = Path("fifo");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(Path("folder")));
    const std::vector<std::pair<const char*, std::function<bool(const QString&)>>> readers = {
        {"raw", [](const QString& path) { return ReadRegularFile(path, kMaxXmlFileBytes).has_value(); }},
        {"XML", [](const QString& path) { return LoadXmlDocument(path).has_value(); }},
        {"packets",
         [](const QString& path) {
             TPacketFile packets;
             return packets.LoadPacketFile(path).status == TPacketLoadStatus::Loaded;
         }},
    };
    for (const auto& [name, read] : readers) {
        for (const QString& path : {fifo, Path("folder"), Path("missing")}) {
            SCOPED_TRACE(std::string(name) + " of " + path.toStdString());
            EXPECT_FALSE(IsRegularFile(path));
            EXPECT_FALSE(read(path));
        }
    }
}

TEST_F(ContentFileTest, XmlBeyondTheSizeLimitIsRefusedWithTheFileNamed)
{
    const QString large = Path("large.xml");
    const QString fits = Path("fits.xml");
    for (const auto& [path, size] : {std::pair{large, kMaxXmlFileBytes + 1}, std::pair{fits, kMaxXmlFileBytes}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("<root/>") == 7 && file.resize(size));   // the rest reads as zero bytes
    }
    const TWarningLog log;
    EXPECT_FALSE(ReadRegularFile(large, kMaxXmlFileBytes));
    ASSERT_EQ(log.Warnings().size(), 1);
    EXPECT_TRUE(log.Warnings().front().contains(large)) << log.Warnings().front().toStdString();
    const std::optional<QByteArray> read = ReadRegularFile(fits, kMaxXmlFileBytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), kMaxXmlFileBytes);
}

// Every page start reads a few small files under a 16 MB limit: the buffer follows the file, not
// the limit (a limit-sized buffer per read left the allocator holding tens of megabytes).
TEST_F(ContentFileTest, SmallFileTakesABufferOfItsOwnSize)
{
    const QString small = Path("small.xml");
    QFile file(small);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("<root/>") == 7);
    file.close();
    const std::optional<QByteArray> read = ReadRegularFile(small, kMaxXmlFileBytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, QByteArray("<root/>"));
    EXPECT_LT(read->capacity(), 4096);
}

// The read asks for what the file holds, so a file holding more than its size said when it was
// opened (one growing while read; a kernel file, whose size reads 0, shows the same) is read on
// to its end, and refused once it passes the limit.
TEST_F(ContentFileTest, FileHoldingMoreThanItsSizeIsReadWholeWithinTheLimitAndRefusedBeyond)
{
    const QString kernelFile = QStringLiteral("/proc/version");
    QFile plain(kernelFile);
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    ASSERT_EQ(plain.size(), 0);
    const QByteArray whole = plain.readAll();
    ASSERT_GT(whole.size(), 1);
    const std::optional<QByteArray> read = ReadRegularFile(kernelFile, whole.size());
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, whole);
    const TWarningLog log;
    EXPECT_FALSE(ReadRegularFile(kernelFile, whole.size() - 1));
    ASSERT_EQ(log.Warnings().size(), 1);
    EXPECT_TRUE(log.Warnings().front().contains(kernelFile)) << log.Warnings().front().toStdString();
}

// The document reader's cost grows with the square of the depth (40,000 levels took seconds):
// depth is counted first, in one pass.
TEST_F(ContentFileTest, XmlNestedBeyondTheLimitIsRefusedWithItsNameGiven)
{
    const auto nested = [](int depth) { return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth); };
    const TWarningLog log;
    EXPECT_TRUE(IsXmlNestingWithin(nested(kMaxXmlNesting), QStringLiteral("deep.xml")));
    EXPECT_TRUE(log.Warnings().isEmpty());
    EXPECT_FALSE(IsXmlNestingWithin(nested(kMaxXmlNesting + 1), QStringLiteral("deep.xml")));
    EXPECT_FALSE(IsXmlNestingWithin(QString::fromLatin1(nested(40000)), QStringLiteral("deep.xml")));
    ASSERT_EQ(log.Warnings().size(), 2);
    EXPECT_TRUE(log.Warnings().front().contains(QStringLiteral("deep.xml")));
    // Malformed text is left to the document reader to report.
    EXPECT_TRUE(IsXmlNestingWithin(QByteArray("<a><b></a>"), QStringLiteral("broken.xml")));
}

} // namespace
