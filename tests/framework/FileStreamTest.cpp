#include "IoTestSupport.h"
#include "System/IO/FileStream.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <string>

using IO::FileAccess;
using IO::FileMode;
using IO::FileStream;
using IO::OpenResult;

namespace {

int WriteText(FileStream& stream, const std::string& text) {
    return stream.Write(reinterpret_cast<const BYTE*>(text.data()), 0, static_cast<int>(text.size()));
}

std::string ReadAll(FileStream& stream, int max = 256) {
    std::string out(static_cast<std::size_t>(max), '\0');
    const int n = stream.Read(reinterpret_cast<BYTE*>(out.data()), 0, max);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

class FileStreamTest : public ::testing::Test {
protected:
    TestRoot root;
};

}  // namespace

TEST_F(FileStreamTest, CreateWriteReopenRead) {
    {
        FileStream out;
        ASSERT_EQ(out.Init(u"\\list.lsr", FileMode::Create, FileAccess::Write), OpenResult::Opened);
        EXPECT_EQ(WriteText(out, "hello world"), 11);
        EXPECT_TRUE(out.Flush());
        EXPECT_EQ(out.GetLength(), 11);
    }
    EXPECT_EQ(ReadHostFile(root.file("list.lsr")), "hello world");

    FileStream in;
    ASSERT_EQ(in.Init(u"\\list.lsr", FileMode::Open, FileAccess::Read), OpenResult::Opened);
    EXPECT_TRUE(in.GetCanRead());
    EXPECT_FALSE(in.GetCanWrite());
    EXPECT_EQ(ReadAll(in), "hello world");
    BYTE byte = 0;
    EXPECT_EQ(in.Read(&byte, 0, 0), 0);
    EXPECT_EQ(in.Read(&byte, 0, 1), 0);  // end of file
}

// What the system refuses (held, missing, existing files) is the platform's (FileApiTest).
// As the log's name is retried: a failed open leaves the stream closed and reusable.
TEST_F(FileStreamTest, AFailedOrEmptyOpenLeavesTheStreamReusable) {
    FileStream stream;
    EXPECT_EQ(stream.Init(u"\\missing.txt", FileMode::Open, FileAccess::Read), OpenResult::OpenFailed);
    EXPECT_EQ(stream.GetLength(), -1);
    stream.Close();
    stream.Close();  // closing twice is harmless
    EXPECT_EQ(stream.Init(u"\\missing.txt", FileMode::Create, FileAccess::Write), OpenResult::Opened);
    // An empty name changes nothing.
    EXPECT_EQ(stream.Init(u"", FileMode::Create, FileAccess::Write), OpenResult::EmptyName);
    EXPECT_EQ(std::u16string(stream.GetName()), u"\\missing.txt");
    EXPECT_TRUE(stream.GetCanWrite());  // still open
}

TEST_F(FileStreamTest, FailedWriteTracesTheSystemText) {
    WriteHostFile(root.file("ro.txt"), "x");
    iotest::TraceRecorder trace;
    FileStream stream;
    ASSERT_EQ(stream.Init(u"\\ro.txt", FileMode::Open, FileAccess::Read), OpenResult::Opened);
    EXPECT_EQ(WriteText(stream, "abc"), -1);
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_TRUE(trace.Has(u"Cannot write to file error message is '"));

    FileStream closed;
    EXPECT_EQ(WriteText(closed, "abc"), -1);
    BYTE byte = 0;
    EXPECT_EQ(closed.Read(&byte, 0, 1), -1);
    EXPECT_FALSE(closed.Flush());
}
