// Process-wide trace facade: every call is handed to each listener of getListeners()
// in order. With no listener every call does nothing. Formats are program constants.
#pragma once
#include "System/Diagnostics/TraceListenerCollection.h"

namespace Diagnostics {

class Trace {
public:
    Trace() = delete;

    static void Write(const TCHAR* message);
    static void Write(const Object* o);
    static void Write(const TCHAR* message, const TCHAR* category);
    static void Write(const Object* o, const TCHAR* category);
    static void WriteLine(const TCHAR* message);
    static void WriteLine(const Object* o);
    static void WriteLine(const TCHAR* message, const TCHAR* category);
    static void WriteLine(const Object* o, const TCHAR* category);

    static void WriteIf(bool condition, const TCHAR* message);
    static void WriteIf(bool condition, const Object* o);
    static void WriteIf(bool condition, const TCHAR* message, const TCHAR* category);
    static void WriteIf(bool condition, const Object* o, const TCHAR* category);
    static void WriteLineIf(bool condition, const TCHAR* message);
    static void WriteLineIf(bool condition, const Object* o);
    static void WriteLineIf(bool condition, const TCHAR* message, const TCHAR* category);
    static void WriteLineIf(bool condition, const Object* o, const TCHAR* category);

    // The message is cut to TraceListener::maxFormattedLength characters (terminator
    // included).
    static void WriteFormatted(const TCHAR* format, ...);
    static void WriteFormattedLine(const TCHAR* format, ...);
    static void WriteFormattedIf(bool condition, const TCHAR* format, ...);
    static void WriteFormattedLineIf(bool condition, const TCHAR* format, ...);
    // The log line "<category> - <d mon yyyy hh:mm:ss> : <message>".
    static void WriteFormattedLineT(const TCHAR* category, const TCHAR* format, ...);

    // Output goes to the assert listeners only; a true condition writes nothing.
    static void Assert(bool condition);
    static void Assert(bool condition, const TCHAR* message);
    static void Assert(bool condition, const TCHAR* message, const TCHAR* detail);
    static void Fail(const TCHAR* message);
    static void Fail(const TCHAR* message, const TCHAR* detail);

    static void Flush();
    static void Close();
    // Indentation of every listener; it never goes below 0.
    static void Indent();
    static void Unindent();

    static bool getAutoFlush();
    static void setAutoFlush(bool value);
    static unsigned getIndentLevel();
    static void setIndentLevel(unsigned value);
    static unsigned getIndentSize();
    static void setIndentSize(unsigned value);
    static bool getAsertUIEnabled();
    static void setAssertUIEnabled(bool value);

    static TraceListenerCollection& getListeners();
    static TraceListenerCollection& getAssertListeners();
    // Deletes every listener of both collections (each one once, even when it was
    // added more than once) and empties them.
    static void Cleanup();

    // Clock of the time stamps of WriteFormattedLineT; null restores the real clock.
    // Returns the previous one. Tests use it to get fixed time stamps.
    using ClockFunction = CTime (*)();
    static ClockFunction SetClock(ClockFunction clock);

private:
    static TraceListenerCollection m_Listeners;
    static TraceListenerCollection m_AssertListeners;
    static bool m_bAutoFlush;
    static unsigned m_uIndentLevel;
    static unsigned m_uIndentSize;
    static bool m_bAssertUIEnabled;
};

}  // namespace Diagnostics
