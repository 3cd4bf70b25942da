#include "IoTestSupport.h"
#include "TestRoot.h"
#include "System/Diagnostics/Debug.h"
#include "System/Diagnostics/TextWriterTraceListener.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Diagnostics;
using iotest::MemoryStream;
using Events = std::vector<std::u16string>;

namespace {

// Records every call as "W:<text>", "L:<text>", "flush", "close" or "fail:<text>".
class RecordingListener : public TraceListener {
public:
    explicit RecordingListener(const TCHAR* name = nullptr, int* destroyed = nullptr)
        : TraceListener(name), m_destroyed(destroyed) {}
    ~RecordingListener() override {
        if (m_destroyed)
            ++*m_destroyed;
    }
    using TraceListener::Write;
    using TraceListener::WriteLine;
    void Write(const TCHAR* message) override { events.push_back(u"W:" + Text(message)); }
    void WriteLine(const TCHAR* message) override { events.push_back(u"L:" + Text(message)); }
    void Flush() override { events.push_back(u"flush"); }
    void Close() override { events.push_back(u"close"); }
    void Fail(const TCHAR* message) override { events.push_back(u"fail:" + Text(message)); }

    Events events;

private:
    static std::u16string Text(const TCHAR* t) { return t ? t : u"(null)"; }
    int* m_destroyed;
};

// A recording listener on the trace for one test; every listener is taken out again.
class TraceTest : public ::testing::Test {
protected:
    void SetUp() override { Trace::getListeners().Add(&listener); }
    void TearDown() override {
        Trace::getListeners().Clear();
        Trace::getAssertListeners().Clear();
        Trace::SetClock(nullptr);
        Trace::setAutoFlush(false);
    }
    RecordingListener listener{u"recorder"};
};

CTime FixedClock() { return CTime(2004, 3, 5, 9, 7, 3); }

}  // namespace

TEST_F(TraceTest, LogLineHasCategoryTimeStampAndMessage) {
    Trace::SetClock(&FixedClock);
    Trace::WriteFormattedLineT(u"info", u"%d item(s)", 3);
    EXPECT_EQ(listener.events, Events{u"L:info - 5 mar 2004 09:07:03 : 3 item(s)"});

    // The same line through a text writer: UTF-16 with CR LF.
    MemoryStream stream({}, false, true);
    Trace::getListeners().Add(new TextWriterTraceListener(u"TextWriterTraceListener", stream));
    Trace::WriteFormattedLineT(u"warning", u"%s", u"x");
    Trace::getListeners().Remove(&listener);
    Trace::Cleanup();
    EXPECT_EQ(stream.written, Utf16Bytes(u"warning - 5 mar 2004 09:07:03 : x\r\n"));
}

TEST_F(TraceTest, EachCallShapeReachesTheListeners) {
    Trace::WriteLine(u"disk full", u"error");  // a category becomes a line after the message
    Trace::WriteFormattedLineIf(false, u"no %d", 1);
    Trace::WriteIf(true, u"yes");
    Trace::WriteLine(static_cast<const Object*>(nullptr));
    std::unique_ptr<TCHAR[]> name(listener.ToString());
    Trace::WriteLine(&listener);
    Debug::WriteLine(u"x");  // never reaches the listeners
    EXPECT_EQ(listener.events, (Events{u"L:disk full", u"L:error", u"W:yes", u"L:" + std::u16string(name.get())}));
}

TEST_F(TraceTest, FormattedMessagesAreCutNotOverrun) {
    const std::u16string longText(5000, u'x');
    Trace::WriteFormattedLine(u"%s", longText.c_str());
    Trace::WriteFormattedLineT(u"info", u"%s", longText.c_str());
    ASSERT_EQ(listener.events.size(), 2u);
    EXPECT_EQ(listener.events[0].size(), 2u + TraceListener::maxFormattedLength - 1);
    EXPECT_EQ(listener.events[1].substr(listener.events[1].size() - 10), std::u16string(10, u'x'));
}

TEST_F(TraceTest, AssertFailFlushAndClose) {
    RecordingListener asserts;
    Trace::getAssertListeners().Add(&asserts);
    Trace::Assert(true, u"fine");
    Trace::setAutoFlush(true);
    Trace::Assert(false, u"bad", u"detail");  // only to the assert listeners
    EXPECT_TRUE(listener.events.empty());
    EXPECT_EQ(asserts.events, (Events{u"L:Assert failed:", u"L:bad", u"L:detail", u"flush"}));

    asserts.events.clear();
    Trace::setAutoFlush(false);
    Trace::Fail(u"oops");
    Trace::Close();
    EXPECT_EQ(listener.events, (Events{u"fail:oops", u"flush", u"close"}));
    EXPECT_EQ(asserts.events, (Events{u"flush", u"close"}));
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
    Trace::getListeners().Insert(0, &echo);
    Trace::WriteLine(u"outer");
    EXPECT_EQ(echo.events, Events{u"L:outer"});
    EXPECT_EQ(listener.events, Events{u"L:outer"});
}

TEST_F(TraceTest, CleanupDeletesEachListenerOnce) {
    Trace::getListeners().Clear();
    int destroyed = 0;
    auto* shared = new RecordingListener(u"shared", &destroyed);
    Trace::getListeners().Add(new RecordingListener(u"a", &destroyed));
    Trace::getListeners().Add(shared);
    Trace::getListeners().Add(shared);
    Trace::getAssertListeners().Add(shared);
    Trace::Cleanup();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Trace::getListeners().getCount(), 0);
    EXPECT_EQ(Trace::getAssertListeners().getCount(), 0);
}

// Positions outside the list are ignored; a list added to itself doubles once.
TEST(TraceListenerCollectionTest, PositionsAndRemoval) {
    RecordingListener a(u"a"), b(u"b"), c(u"c"), other(u"x");
    TraceListenerCollection list;
    list.Add(&a);
    list.Add(&b);
    list.Insert(0, &c);
    list.Insert(7, &other);
    list.Insert(-1, &other);
    EXPECT_FALSE(list.Contains(&other));
    EXPECT_EQ(list.getItem(3), nullptr);
    list.AddRange(list);  // c a b c a b
    EXPECT_EQ(list.getCount(), 6);
    list.Remove(u"a");
    EXPECT_EQ(list.IndexOf(&a), 3);
    list.RemoveAt(9);
    list.RemoveAt(0);  // a b c a b minus the first
    EXPECT_EQ(list.getItem(0), &b);
}

// Its lines' bytes are the log line's (above).
TEST(TextWriterTraceListenerTest, FailingStreamSetsTheFlagOnlyAndStaysOpen) {
    MemoryStream stream({}, false, true);
    stream.FailWritesAfter(3);
    TextWriterTraceListener listener(nullptr, stream);
    listener.WriteLine(u"ab");
    EXPECT_TRUE(listener.HasFailed());
    listener.Close();
    EXPECT_FALSE(stream.closed);  // the stream belongs to its creator
    listener.WriteLine(u"");
    EXPECT_TRUE(listener.HasFailed());
    std::unique_ptr<TCHAR[]> text(listener.ToString());
    EXPECT_EQ(std::u16string(text.get()),
              ::Format(u"System.Diagnostics.TextWriterTraceListener - %X, ", listener.GetHashCode()));
}
