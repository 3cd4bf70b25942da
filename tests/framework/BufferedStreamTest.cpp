#include "IoTestSupport.h"
#include "System/IO/BufferedStream.h"

#include <gtest/gtest.h>

#include <string>

using iotest::MemoryStream;

namespace {

const BYTE* AsBytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }

std::string Pattern(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s.push_back(static_cast<char>('a' + i % 26));
    return s;
}

}  // namespace

TEST(BufferedStreamTest, WriteBufferPassesBytesOnInFullBuffers) {
    MemoryStream inner({}, false, true);
    IO::BufferedStream buffered(&inner, 8);
    const std::string data = Pattern(20);
    EXPECT_EQ(buffered.Write(AsBytes(data), 0, 20), 20);
    EXPECT_EQ(inner.writeSizes, (std::vector<int>{8, 8}));
    EXPECT_TRUE(buffered.Flush());
    EXPECT_EQ(inner.writeSizes, (std::vector<int>{8, 8, 4}));
    EXPECT_EQ(inner.written, data);
    // Nothing left: a second flush writes nothing.
    EXPECT_TRUE(buffered.Flush());
    EXPECT_EQ(inner.writeSizes.size(), 3u);
}

TEST(BufferedStreamTest, SmallWritesAndOffsetsAndFlushOnDestruction) {
    MemoryStream inner({}, false, true);
    {
        IO::BufferedStream buffered(&inner, 100);
        const std::string data = "xxhello";
        EXPECT_EQ(buffered.Write(AsBytes(data), 2, 5), 5);
        EXPECT_EQ(buffered.Write(AsBytes(data), 0, 0), 0);
        EXPECT_TRUE(inner.written.empty());
    }
    EXPECT_EQ(inner.written, "hello");
}

TEST(BufferedStreamTest, FailedFlushKeepsWhatWasNotTakenAndRetries) {
    MemoryStream inner({}, false, true);
    IO::BufferedStream buffered(&inner, 8);
    const std::string data = Pattern(6);
    inner.FailWritesAfter(0);
    EXPECT_EQ(buffered.Write(AsBytes(data), 0, 6), 6);
    EXPECT_FALSE(buffered.Flush());
    inner.FailWritesAfter(SIZE_MAX);
    EXPECT_TRUE(buffered.Flush());
    EXPECT_EQ(inner.written, data);

    // The inner stream takes only part: that part is not written a second time.
    MemoryStream partial({}, false, true);
    IO::BufferedStream second(&partial, 8);
    partial.FailWritesAfter(4, MemoryStream::Mode::Short);
    EXPECT_EQ(second.Write(AsBytes(data), 0, 6), 6);
    EXPECT_FALSE(second.Flush());
    EXPECT_EQ(partial.written, data.substr(0, 4));
    partial.FailWritesAfter(SIZE_MAX);
    EXPECT_TRUE(second.Flush());
    EXPECT_EQ(partial.written, data);

    // A write that cannot empty the full buffer fails.
    MemoryStream failing({}, false, true);
    failing.FailWritesAfter(0);
    IO::BufferedStream small(&failing, 4);
    EXPECT_EQ(small.Write(AsBytes(Pattern(10)), 0, 10), -1);
}

TEST(BufferedStreamTest, ReadsAcrossRefillsAndReportsEndAsFailure) {
    const std::string data = Pattern(23);
    MemoryStream inner(data);
    IO::BufferedStream buffered(&inner, 5);
    BYTE out[32] = {};
    EXPECT_EQ(buffered.Read(out, 0, 3), 3);
    EXPECT_EQ(buffered.Read(out, 3, 12), 12);  // spans three refills
    EXPECT_EQ(buffered.Read(out, 15, 0), 0);
    EXPECT_EQ(buffered.Read(out, 15, 8), 8);  // exactly to the end
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 23), data);
    EXPECT_EQ(buffered.Read(out, 0, 1), -1);

    // A read that cannot be completed fails as a whole.
    MemoryStream shortInner("abc");
    IO::BufferedStream shortBuffered(&shortInner, 8);
    EXPECT_EQ(shortBuffered.Read(out, 0, 4), -1);
}

TEST(BufferedStreamTest, InnerReadErrorDoesNotRedeliverOldBytes) {
    MemoryStream inner(Pattern(12));
    inner.FailReadsAfter(4);
    IO::BufferedStream buffered(&inner, 4);
    BYTE out[8] = {};
    EXPECT_EQ(buffered.Read(out, 0, 4), 4);
    EXPECT_EQ(buffered.Read(out, 0, 2), -1);
    EXPECT_EQ(buffered.Read(out, 0, 2), -1);  // not the first bytes once more
}
