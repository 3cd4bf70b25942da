#include "System/Diagnostics/Trace.h"

#include "Text/CExtTime.h"

#include <cstdarg>
#include <mutex>
#include <string>

namespace Diagnostics {

// Constant-initialised, so they are usable from any other static initialiser.
constinit TraceListenerCollection Trace::m_Listeners;
constinit TraceListenerCollection Trace::m_AssertListeners;
constinit bool Trace::m_bAutoFlush = false;
constinit unsigned Trace::m_uIndentLevel = 0;
constinit unsigned Trace::m_uIndentSize = 4;
constinit bool Trace::m_bAssertUIEnabled = true;

namespace {

constinit Trace::ClockFunction g_clock = nullptr;

// A listener whose stream fails may itself trace (a file stream reports its failed
// write), which would come straight back to the same listener and recurse without end.
// Output raised while listeners are being called is therefore dropped.
thread_local int t_dispatchDepth = 0;

class DispatchScope {
public:
    DispatchScope() : m_active(t_dispatchDepth == 0) { ++t_dispatchDepth; }
    ~DispatchScope() { --t_dispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
    bool active() const { return m_active; }

private:
    bool m_active;
};

// Calls fn on each listener in order. Indexing (not iterators) keeps this safe when a
// listener changes the collection while it is called.
// Lines may come from other threads (the store reports a failed background commit):
// one line at a time reaches the listeners.
std::recursive_mutex& DispatchMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

template <class Fn>
void ForEach(TraceListenerCollection& listeners, Fn fn) {
    if (listeners.getCount() == 0)
        return;
    std::lock_guard<std::recursive_mutex> lock(DispatchMutex());
    DispatchScope scope;
    if (!scope.active())
        return;
    // A trace line written after a failure must not hide its error from the caller:
    // a listener that writes a file changes the last error.
    const DWORD lastError = GetLastError();
    for (int i = 0; i < listeners.getCount(); ++i) {
        if (TraceListener* listener = listeners.getItem(i))
            fn(*listener);
    }
    SetLastError(lastError);
}

void FormatMessage(TCHAR (&buffer)[TraceListener::maxFormattedLength], const TCHAR* format,
                   va_list args) {
    _vsnwprintf(buffer, TraceListener::maxFormattedLength, format ? format : u"", args);
}

}  // namespace

void Trace::Write(const TCHAR* message) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Write(message); });
}
void Trace::Write(const Object* o) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Write(o); });
}
void Trace::Write(const TCHAR* message, const TCHAR* category) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Write(message, category); });
}
void Trace::Write(const Object* o, const TCHAR* category) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Write(o, category); });
}
void Trace::WriteLine(const TCHAR* message) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.WriteLine(message); });
}
void Trace::WriteLine(const Object* o) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.WriteLine(o); });
}
void Trace::WriteLine(const TCHAR* message, const TCHAR* category) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.WriteLine(message, category); });
}
void Trace::WriteLine(const Object* o, const TCHAR* category) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.WriteLine(o, category); });
}

void Trace::WriteIf(bool condition, const TCHAR* message) {
    if (condition)
        Write(message);
}
void Trace::WriteIf(bool condition, const Object* o) {
    if (condition)
        Write(o);
}
void Trace::WriteIf(bool condition, const TCHAR* message, const TCHAR* category) {
    if (condition)
        Write(message, category);
}
void Trace::WriteIf(bool condition, const Object* o, const TCHAR* category) {
    if (condition)
        Write(o, category);
}
void Trace::WriteLineIf(bool condition, const TCHAR* message) {
    if (condition)
        WriteLine(message);
}
void Trace::WriteLineIf(bool condition, const Object* o) {
    if (condition)
        WriteLine(o);
}
void Trace::WriteLineIf(bool condition, const TCHAR* message, const TCHAR* category) {
    if (condition)
        WriteLine(message, category);
}
void Trace::WriteLineIf(bool condition, const Object* o, const TCHAR* category) {
    if (condition)
        WriteLine(o, category);
}

void Trace::WriteFormatted(const TCHAR* format, ...) {
    if (m_Listeners.getCount() == 0)
        return;
    TCHAR buffer[TraceListener::maxFormattedLength];
    va_list args;
    va_start(args, format);
    FormatMessage(buffer, format, args);
    va_end(args);
    Write(static_cast<const TCHAR*>(buffer));
}

void Trace::WriteFormattedLine(const TCHAR* format, ...) {
    if (m_Listeners.getCount() == 0)
        return;
    TCHAR buffer[TraceListener::maxFormattedLength];
    va_list args;
    va_start(args, format);
    FormatMessage(buffer, format, args);
    va_end(args);
    WriteLine(static_cast<const TCHAR*>(buffer));
}

void Trace::WriteFormattedIf(bool condition, const TCHAR* format, ...) {
    if (!condition || m_Listeners.getCount() == 0)
        return;
    TCHAR buffer[TraceListener::maxFormattedLength];
    va_list args;
    va_start(args, format);
    FormatMessage(buffer, format, args);
    va_end(args);
    Write(static_cast<const TCHAR*>(buffer));
}

void Trace::WriteFormattedLineIf(bool condition, const TCHAR* format, ...) {
    if (!condition || m_Listeners.getCount() == 0)
        return;
    TCHAR buffer[TraceListener::maxFormattedLength];
    va_list args;
    va_start(args, format);
    FormatMessage(buffer, format, args);
    va_end(args);
    WriteLine(static_cast<const TCHAR*>(buffer));
}

void Trace::WriteFormattedLineT(const TCHAR* category, const TCHAR* format, ...) {
    if (m_Listeners.getCount() == 0)
        return;
    // A buffer per call rather than one shared by all callers: nested or concurrent
    // calls cannot overwrite a message that is still being written.
    TCHAR message[TraceListener::maxFormattedLength];
    va_list args;
    va_start(args, format);
    FormatMessage(message, format, args);
    va_end(args);

    const CTime now = g_clock ? g_clock() : CTime::GetCurrentTime();
    const CString stamp = CExtTime::Format(now, u"%d %b %Y %H:%M:%S");
    const std::u16string line =
        ::Format(u"%s - %s : %s", category ? category : u"", stamp.GetString(), message);
    WriteLine(line.c_str());
}

void Trace::Assert(bool condition) {
    if (condition)
        return;
    ForEach(m_AssertListeners, [](TraceListener& l) {
        l.WriteLine(u"Assert failed:");
        if (m_bAutoFlush)
            l.Flush();
    });
}

void Trace::Assert(bool condition, const TCHAR* message) {
    if (condition)
        return;
    ForEach(m_AssertListeners, [&](TraceListener& l) {
        l.WriteLine(u"Assert failed:");
        l.WriteLine(message ? message : u"");
        if (m_bAutoFlush)
            l.Flush();
    });
}

void Trace::Assert(bool condition, const TCHAR* message, const TCHAR* detail) {
    if (condition)
        return;
    ForEach(m_AssertListeners, [&](TraceListener& l) {
        l.WriteLine(u"Assert failed:");
        l.WriteLine(message ? message : u"");
        l.WriteLine(detail ? detail : u"");
        if (m_bAutoFlush)
            l.Flush();
    });
}

void Trace::Fail(const TCHAR* message) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Fail(message); });
}
void Trace::Fail(const TCHAR* message, const TCHAR* detail) {
    ForEach(m_Listeners, [&](TraceListener& l) { l.Fail(message, detail); });
}

void Trace::Flush() {
    ForEach(m_Listeners, [](TraceListener& l) { l.Flush(); });
}

void Trace::Close() {
    const auto flushAndClose = [](TraceListener& l) {
        l.Flush();
        l.Close();
    };
    ForEach(m_AssertListeners, flushAndClose);
    ForEach(m_Listeners, flushAndClose);
}

void Trace::Indent() {
    ForEach(m_Listeners, [](TraceListener& l) { l.setIndentLevel(l.getIndentLevel() + 1); });
}

void Trace::Unindent() {
    ForEach(m_Listeners, [](TraceListener& l) {
        if (l.getIndentLevel() > 0)
            l.setIndentLevel(l.getIndentLevel() - 1);
    });
}

bool Trace::getAutoFlush() { return m_bAutoFlush; }
void Trace::setAutoFlush(bool value) { m_bAutoFlush = value; }
unsigned Trace::getIndentLevel() { return m_uIndentLevel; }
void Trace::setIndentLevel(unsigned value) { m_uIndentLevel = value; }
unsigned Trace::getIndentSize() { return m_uIndentSize; }
void Trace::setIndentSize(unsigned value) { m_uIndentSize = value; }
bool Trace::getAsertUIEnabled() { return m_bAssertUIEnabled; }
void Trace::setAssertUIEnabled(bool value) { m_bAssertUIEnabled = value; }

TraceListenerCollection& Trace::getListeners() { return m_Listeners; }
TraceListenerCollection& Trace::getAssertListeners() { return m_AssertListeners; }

void Trace::Cleanup() {
    // The collections are emptied before anything is deleted, so a listener's
    // destructor that traces finds no listener left; a listener found more than once
    // (in both collections, or added twice) is deleted once.
    std::vector<TraceListener*> doomed;
    for (TraceListenerCollection* collection : {&m_Listeners, &m_AssertListeners}) {
        for (int i = collection->getCount() - 1; i >= 0; --i) {
            TraceListener* listener = collection->getItem(i);
            bool seen = false;
            for (TraceListener* d : doomed)
                seen = seen || d == listener;
            if (!seen)
                doomed.push_back(listener);
        }
        collection->Clear();
    }
    for (TraceListener* listener : doomed)
        delete listener;
}

Trace::ClockFunction Trace::SetClock(ClockFunction clock) {
    const ClockFunction previous = g_clock;
    g_clock = clock;
    return previous;
}

}  // namespace Diagnostics
