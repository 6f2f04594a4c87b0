// The output file's 4096-byte buffer and its direct path for large blocks.
#include "toolkit/output_buffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace wexa {
namespace {

// A file that keeps what it is given; it can be told to take at most so many bytes a
// call, to fail from a given call on, or to report success without taking anything.
class RecordingSink final : public ByteSink {
public:
    std::vector<unsigned char> file;
    std::vector<std::size_t> calls; // the length asked for in each call
    std::size_t takesAtMost = SIZE_MAX;
    std::size_t failsFromCall = SIZE_MAX;
    bool takesNothing = false;

    std::optional<std::size_t> Put(const unsigned char* bytes, std::size_t length) override {
        calls.push_back(length);
        if (calls.size() > failsFromCall)
            return std::nullopt;
        std::size_t taken = takesNothing ? 0 : std::min(length, takesAtMost);
        file.insert(file.end(), bytes, bytes + taken);
        return taken;
    }
};

std::vector<unsigned char> Bytes(std::size_t count, unsigned char first = 0) {
    std::vector<unsigned char> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

std::vector<unsigned char> Joined(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    std::vector<unsigned char> all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

using Calls = std::vector<std::size_t>;

TEST(OutputBuffer, SmallBlocksWaitInTheBufferUntilFlushed) {
    RecordingSink sink;
    OutputBuffer buffer;
    auto a = Bytes(100), b = Bytes(50, 7);
    EXPECT_EQ(buffer.Write(a.data(), a.size(), sink), 100u);
    EXPECT_EQ(buffer.Write(b.data(), b.size(), sink), 50u);
    EXPECT_EQ(buffer.Write(b.data(), 0, sink), 0u);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(buffer.Buffered(), 150u);
    EXPECT_TRUE(buffer.Flush(sink));
    EXPECT_EQ(sink.calls, Calls{150});
    EXPECT_EQ(sink.file, Joined(a, b));
    EXPECT_TRUE(buffer.Flush(sink)); // nothing left: no call
    EXPECT_EQ(sink.calls.size(), 1u);
}

TEST(OutputBuffer, ABlockThatDoesNotFitPushesOutTheBufferFirst) {
    RecordingSink sink;
    OutputBuffer buffer;
    auto a = Bytes(4000), b = Bytes(200, 3);
    buffer.Write(a.data(), a.size(), sink);
    EXPECT_EQ(buffer.Write(b.data(), b.size(), sink), 200u);
    EXPECT_EQ(sink.calls, Calls{4000});
    EXPECT_EQ(buffer.Buffered(), 200u);
    buffer.Flush(sink);
    EXPECT_EQ(sink.file, Joined(a, b));
}

TEST(OutputBuffer, BlocksAsLongAsTheBufferBypassItAfterWhatIsBuffered) {
    RecordingSink sink;
    OutputBuffer buffer;
    auto head = Bytes(10), block = Bytes(OutputBufferSize, 9);
    buffer.Write(head.data(), head.size(), sink);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), OutputBufferSize);
    EXPECT_EQ(sink.calls, (Calls{10, OutputBufferSize}));
    EXPECT_EQ(sink.file, Joined(head, block));
    EXPECT_EQ(buffer.Buffered(), 0u);
}

TEST(OutputBuffer, TheWholeFontGoesOutInOneCall) {
    RecordingSink sink;
    OutputBuffer buffer;
    auto font = Bytes(116096);
    EXPECT_EQ(buffer.Write(font.data(), font.size(), sink), font.size());
    EXPECT_EQ(sink.calls, Calls{116096});
    EXPECT_EQ(sink.file, font);
}

TEST(OutputBuffer, LargeBlocksGoInPiecesOfAtMostTheLargestPiece) {
    RecordingSink sink;
    OutputBuffer buffer(16, 1000);
    auto block = Bytes(3500);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), 3500u);
    EXPECT_EQ(sink.calls, (Calls{1000, 1000, 1000, 500}));
    EXPECT_EQ(sink.file, block);
}

TEST(OutputBuffer, ShortWritesAreFollowedByTheRest) {
    RecordingSink sink;
    sink.takesAtMost = 300;
    OutputBuffer buffer(16, 1000);
    auto block = Bytes(1100);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), 1100u);
    EXPECT_EQ(sink.calls, (Calls{1000, 800, 500, 200}));
    EXPECT_EQ(sink.file, block);
}

TEST(OutputBuffer, AFailedCallEndsTheBlockWithWhatWasWritten) {
    RecordingSink sink;
    sink.failsFromCall = 2;
    OutputBuffer buffer(16, 1000);
    auto block = Bytes(3500);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), 2000u);
    EXPECT_EQ(sink.calls.size(), 3u); // no call after the failed one
}

TEST(OutputBuffer, ACallThatTakesNothingEndsTheBlockInsteadOfSpinning) {
    RecordingSink sink;
    sink.takesNothing = true;
    OutputBuffer buffer;
    auto block = Bytes(OutputBufferSize * 2);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), 0u);
    EXPECT_EQ(sink.calls.size(), 1u);
}

TEST(OutputBuffer, BytesThatCouldNotBeFlushedStayForTheNextFlush) {
    RecordingSink sink;
    sink.takesAtMost = 60;
    sink.failsFromCall = 1;
    OutputBuffer buffer;
    auto a = Bytes(100), b = Bytes(4000, 1);
    buffer.Write(a.data(), a.size(), sink);
    EXPECT_EQ(buffer.Write(b.data(), b.size(), sink), 0u); // does not fit, and the flush fails
    EXPECT_FALSE(buffer.Flush(sink));
    EXPECT_EQ(buffer.Buffered(), 40u);
    sink.failsFromCall = SIZE_MAX;
    EXPECT_TRUE(buffer.Flush(sink));
    EXPECT_EQ(sink.file, a); // the rejected block never got in, the buffered bytes all did
}

TEST(OutputBuffer, ALargeBlockWaitsWhileTheBufferCannotBeEmptied) {
    RecordingSink sink;
    sink.failsFromCall = 0;
    OutputBuffer buffer;
    auto a = Bytes(5), block = Bytes(OutputBufferSize);
    buffer.Write(a.data(), a.size(), sink);
    EXPECT_EQ(buffer.Write(block.data(), block.size(), sink), 0u);
    EXPECT_EQ(sink.calls, Calls{5}); // the block was not written ahead of the buffered bytes
}

} // namespace
} // namespace wexa
