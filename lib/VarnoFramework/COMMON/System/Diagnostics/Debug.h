// The trace facade's twin for debugging output that is compiled in but switched off:
// the same interface as Trace, and every operation does nothing. Its getters give 0 or
// false and its listener collection stays empty.
#pragma once
#include "System/Diagnostics/TraceListenerCollection.h"

namespace Diagnostics {

class Debug {
public:
    Debug() = delete;

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

    static void WriteFormatted(const TCHAR* format, ...);
    static void WriteFormattedLine(const TCHAR* format, ...);
    static void WriteFormattedIf(bool condition, const TCHAR* format, ...);
    static void WriteFormattedLineIf(bool condition, const TCHAR* format, ...);
    static void WriteFormattedLineT(const TCHAR* category, const TCHAR* format, ...);

    static void Assert(bool condition);
    static void Assert(bool condition, const TCHAR* message);
    static void Assert(bool condition, const TCHAR* message, const TCHAR* detail);
    static void Fail(const TCHAR* message);
    static void Fail(const TCHAR* message, const TCHAR* detail);

    static void Flush();
    static void Close();
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
    static void Cleanup();

private:
    static TraceListenerCollection m_Listeners;
    static TraceListenerCollection m_AssertListeners;
    static bool m_bAutoFlush;
    static unsigned m_uIndentLevel;
    static unsigned m_uIndentSize;
    static bool m_bAssertUIEnabled;
};

}  // namespace Diagnostics
