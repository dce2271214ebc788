#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/NamedLock.h"
#include "platform/ipc/SharedBlock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A name no other test run uses, removed again at the end of the test.
class TUniqueName {
public:
    explicit TUniqueName(const char* kind)
    {
        static int counter = 0;
        m_name = std::string("ravo_test_") + kind + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    }
    ~TUniqueName()
    {
        TSharedBlock::Unlink(m_name);
        TNamedEvent::Unlink(m_name);
    }
    const std::string& str() const { return m_name; }

private:
    std::string m_name;
};

std::string AsText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(SharedBlock, CreatedBlockIsZeroFilledAndSeenByAnOpenOfTheSameName)
{
    TUniqueName name("block");
    TSharedBlock creator;
    ASSERT_TRUE(creator.Create(name.str(), 100));
    EXPECT_EQ(creator.Size(), 100u);
    EXPECT_EQ(creator.ReadBytes(0, 100), std::vector<uint8_t>(100, 0));
    ASSERT_TRUE(creator.WriteBytes(10, "hello", 5));

    TSharedBlock reader;
    ASSERT_TRUE(reader.Open(name.str()));
    EXPECT_EQ(reader.Size(), 100u);
    EXPECT_EQ(AsText(reader.ReadBytes(10, 5)), "hello");

    // Writes through either view are shared.
    ASSERT_TRUE(reader.WriteBytes(95, "world", 5));
    EXPECT_EQ(AsText(creator.ReadBytes(95, 5)), "world");
}

TEST(SharedBlock, LeadingSlashOfTheNameIsOptional)
{
    TUniqueName name("slash");
    TSharedBlock creator;
    ASSERT_TRUE(creator.Create(name.str(), 8));
    TSharedBlock reader;
    EXPECT_TRUE(reader.Open("/" + name.str()));
}

TEST(SharedBlock, ReadsAreClippedAndWritesPastTheEndAreRefusedWhole)
{
    TUniqueName name("bounds");
    TSharedBlock block;
    ASSERT_TRUE(block.Create(name.str(), 16));
    ASSERT_TRUE(block.WriteBytes(0, "0123456789abcdef", 16));

    EXPECT_EQ(AsText(block.ReadBytes(12, 100)), "cdef");
    EXPECT_TRUE(block.ReadBytes(16, 1).empty());
    EXPECT_TRUE(block.ReadBytes(1000, 1).empty());

    EXPECT_FALSE(block.WriteBytes(14, "XYZ", 3));             // one byte too many: nothing written
    EXPECT_FALSE(block.WriteBytes(17, "", 0));                // offset past the end
    EXPECT_FALSE(block.WriteBytes(SIZE_MAX, "X", 1));         // no wrap-around of offset + count
    EXPECT_TRUE(block.WriteBytes(16, "", 0));
    EXPECT_TRUE(block.WriteBytes(13, "XYZ", 3));
    EXPECT_EQ(AsText(block.ReadBytes(0, 16)), "0123456789abcXYZ");
}

TEST(SharedBlock, OpenFailsForAMissingOrUnlinkedBlock)
{
    TUniqueName name("missing");
    TSharedBlock block;
    EXPECT_FALSE(block.Open(name.str()));
    EXPECT_FALSE(block.IsOpen());
    EXPECT_TRUE(block.ReadBytes(0, 1).empty());
    EXPECT_FALSE(block.WriteBytes(0, "x", 1));

    TSharedBlock creator;
    ASSERT_TRUE(creator.Create(name.str(), 8));
    EXPECT_TRUE(TSharedBlock::Unlink(name.str()));
    EXPECT_FALSE(block.Open(name.str()));
    EXPECT_FALSE(TSharedBlock::Unlink(name.str()));
}

TEST(SharedBlock, CreateOverAnExistingBlockResizesAndClearsIt)
{
    TUniqueName name("recreate");
    TSharedBlock first;
    ASSERT_TRUE(first.Create(name.str(), 64));
    ASSERT_TRUE(first.WriteBytes(0, "stale", 5));
    first.Close();

    TSharedBlock second;
    ASSERT_TRUE(second.Create(name.str(), 32));
    EXPECT_EQ(second.Size(), 32u);
    EXPECT_EQ(second.ReadBytes(0, 5), std::vector<uint8_t>(5, 0));
}

TEST(SharedBlock, EmptyBlockOpensWithNothingToRead)
{
    TUniqueName name("empty");
    TSharedBlock creator;
    ASSERT_TRUE(creator.Create(name.str(), 0));
    TSharedBlock reader;
    ASSERT_TRUE(reader.Open(name.str()));
    EXPECT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.Size(), 0u);
    EXPECT_TRUE(reader.ReadBytes(0, 10).empty());
}

TEST(SharedBlock, MovedBlockKeepsTheView)
{
    TUniqueName name("move");
    TSharedBlock block;
    ASSERT_TRUE(block.Create(name.str(), 8));
    ASSERT_TRUE(block.WriteBytes(0, "abc", 3));
    TSharedBlock moved(std::move(block));
    EXPECT_FALSE(block.IsOpen());
    EXPECT_EQ(AsText(moved.ReadBytes(0, 3)), "abc");
}

TEST(NamedEvent, SetIsSeenByAnotherHandleOnceAndResets)
{
    TUniqueName name("event");
    TNamedEvent setter;
    TNamedEvent waiter;
    ASSERT_TRUE(waiter.CreateOrOpen(name.str()));
    ASSERT_TRUE(setter.CreateOrOpen(name.str()));

    EXPECT_FALSE(waiter.Wait(0));
    ASSERT_TRUE(setter.Set());
    ASSERT_TRUE(setter.Set());          // still set once, not twice
    EXPECT_TRUE(waiter.Wait(1000));
    EXPECT_FALSE(waiter.Wait(0));       // auto-reset
}

TEST(NamedEvent, WaitTimesOutWhenNobodySets)
{
    TUniqueName name("timeout");
    TNamedEvent event;
    ASSERT_TRUE(event.CreateOrOpen(name.str()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.Wait(30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
}

TEST(NamedEvent, WaiterWakesWhenAnotherThreadSets)
{
    TUniqueName name("thread");
    TNamedEvent waiter;
    ASSERT_TRUE(waiter.CreateOrOpen(name.str()));
    std::thread setter([&name] {
        TNamedEvent event;
        event.CreateOrOpen(name.str());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        event.Set();
    });
    EXPECT_TRUE(waiter.Wait(5000));
    setter.join();
}

TEST(NamedEvent, ClosedEventNeitherSetsNorWaits)
{
    TNamedEvent event;
    EXPECT_FALSE(event.IsOpen());
    EXPECT_FALSE(event.Set());
    EXPECT_FALSE(event.Wait(0));
}

// ---- Exclusive creation, the user's names, the named lock

TEST(SharedBlock, CreateNewRefusesANameThatExistsAndLeavesItsBytes)
{
    TUniqueName name("exclusive");
    TSharedBlock first;
    ASSERT_TRUE(first.CreateNew(name.str(), 16));
    ASSERT_TRUE(first.WriteBytes(0, "mine", 4));
    TSharedBlock second;
    EXPECT_FALSE(second.CreateNew(name.str(), 16));
    EXPECT_EQ(AsText(first.ReadBytes(0, 4)), "mine");
    TSharedBlock::Unlink(name.str());
    EXPECT_TRUE(second.CreateNew(name.str(), 16));
}

TEST(NamedEvent, CreateNewRefusesANameThatExists)
{
    TUniqueName name("exclusive_event");
    TNamedEvent first;
    ASSERT_TRUE(first.CreateNew(name.str()));
    TNamedEvent second;
    EXPECT_FALSE(second.CreateNew(name.str()));
    EXPECT_FALSE(second.IsOpen());
    TNamedEvent::Unlink(name.str());
    EXPECT_TRUE(second.CreateNew(name.str()));
}

// Another user's process using the same name gets another object: the system name carries the
// user's id.
TEST(SharedBlock, SystemNameBelongsToTheUser)
{
    TUniqueName name("user");
    TSharedBlock block;
    ASSERT_TRUE(block.Create(name.str(), 8));
    EXPECT_EQ(access(("/dev/shm/" + name.str() + ".u" + std::to_string(getuid())).c_str(), F_OK), 0);
    EXPECT_NE(access(("/dev/shm/" + name.str()).c_str(), F_OK), 0);
}

TEST(NamedLock, OneHolderAtATimeAndFreedWhenTheHolderEnds)
{
    TUniqueName name("lock");
    {
        TNamedLock held;
        ASSERT_TRUE(held.TryTake(name.str()));
        TNamedLock other;
        EXPECT_FALSE(other.TryTake(name.str()));
        held.Release();
        EXPECT_TRUE(other.TryTake(name.str()));
    }
    // A holder that ends without releasing (killed) keeps nobody out.
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        static TNamedLock childLock;
        const char taken = childLock.TryTake(name.str()) ? 'y' : 'n';
        (void)!write(toParent[1], &taken, 1);
        pause();
        _exit(0);
    }
    char taken = 0;
    ASSERT_EQ(read(toParent[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    TNamedLock parent;
    EXPECT_FALSE(parent.TryTake(name.str()));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(parent.TryTake(name.str()));
    close(toParent[0]);
    close(toParent[1]);
}
