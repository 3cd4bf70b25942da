#include "IoTestSupport.h"
#include "TestRoot.h"
#include "System/Diagnostics/TextWriterTraceListener.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Diagnostics;
using iotest::MemoryStream;
using Events = std::vector<std::u16string>;

namespace {

// Records every call as "W:<text>" or "L:<text>".
class RecordingListener : public TraceListener {
public:
    explicit RecordingListener(const TCHAR* name = nullptr) : TraceListener(name) {}
    using TraceListener::Write;
    using TraceListener::WriteLine;
    void Write(const TCHAR* message) override { events.push_back(u"W:" + Text(message)); }
    void WriteLine(const TCHAR* message) override { events.push_back(u"L:" + Text(message)); }

    Events events;

private:
    static std::u16string Text(const TCHAR* t) { return t ? t : u"(null)"; }
};

// A recording listener on the trace for one test; every listener is taken out again.
class TraceTest : public ::testing::Test {
protected:
    void SetUp() override { Trace::getListeners().Add(&listener); }
    void TearDown() override {
        Trace::getListeners().Clear();
        Trace::SetClock(nullptr);
    }
    RecordingListener listener{u"recorder"};
};

CTime FixedClock() { return CTime(2004, 3, 5, 9, 7, 3); }

}  // namespace

TEST_F(TraceTest, LogLineHasCategoryTimeStampAndMessage) {
    Trace::SetClock(&FixedClock);
    Trace::WriteFormattedLineT(u"info", u"%d item(s)", 3);
    EXPECT_EQ(listener.events, Events{u"L:info - 5 mar 2004 09:07:03 : 3 item(s)"});

    // The same line through the log's text writer: UTF-16 with CR LF.
    MemoryStream stream({}, false, true);
    TextWriterTraceListener writer(u"TextWriterTraceListener", stream);
    Trace::getListeners().Add(&writer);
    Trace::WriteFormattedLineT(u"warning", u"%s", u"x");
    Trace::getListeners().Remove(&writer);
    EXPECT_EQ(stream.written, Utf16Bytes(u"warning - 5 mar 2004 09:07:03 : x\r\n"));
}

TEST_F(TraceTest, ACategoryBecomesALineAfterTheMessage) {
    Trace::WriteLine(u"disk full", u"error");
    EXPECT_EQ(listener.events, (Events{u"L:disk full", u"L:error"}));
}

TEST_F(TraceTest, FormattedMessagesAreCutNotOverrun) {
    const std::u16string longText(5000, u'x');
    Trace::WriteFormattedLine(u"%s", longText.c_str());
    Trace::WriteFormattedLineT(u"info", u"%s", longText.c_str());
    ASSERT_EQ(listener.events.size(), 2u);
    EXPECT_EQ(listener.events[0].size(), 2u + TraceListener::maxFormattedLength - 1);
    EXPECT_EQ(listener.events[1].substr(listener.events[1].size() - 10), std::u16string(10, u'x'));
}

TEST_F(TraceTest, NestedTraceFromAListenerIsDropped) {
    // A listener that traces while writing, as a failing log stream does.
    class Echo : public RecordingListener {
    public:
        using RecordingListener::Write;
        void WriteLine(const TCHAR* message) override {
            RecordingListener::WriteLine(message);
            Trace::WriteLine(u"nested");
        }
    } echo;
    Trace::getListeners().Add(&echo);
    Trace::WriteLine(u"outer");
    EXPECT_EQ(echo.events, Events{u"L:outer"});
    EXPECT_EQ(listener.events, Events{u"L:outer"});
}

// Its lines' bytes are the log line's (above).
TEST(TextWriterTraceListenerTest, AFailingStreamSetsTheFlagForGood) {
    MemoryStream stream({}, false, true);
    stream.FailWritesAfter(3);
    TextWriterTraceListener listener(nullptr, stream);
    listener.WriteLine(u"ab");
    EXPECT_TRUE(listener.HasFailed());
    listener.WriteLine(u"");
    EXPECT_TRUE(listener.HasFailed());
}
