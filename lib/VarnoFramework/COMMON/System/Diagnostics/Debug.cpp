#include "System/Diagnostics/Debug.h"

namespace Diagnostics {

constinit TraceListenerCollection Debug::m_Listeners;
constinit TraceListenerCollection Debug::m_AssertListeners;
constinit bool Debug::m_bAutoFlush = false;
constinit unsigned Debug::m_uIndentLevel = 0;
constinit unsigned Debug::m_uIndentSize = 4;
constinit bool Debug::m_bAssertUIEnabled = true;

void Debug::Write(const TCHAR*) {}
void Debug::Write(const Object*) {}
void Debug::Write(const TCHAR*, const TCHAR*) {}
void Debug::Write(const Object*, const TCHAR*) {}
void Debug::WriteLine(const TCHAR*) {}
void Debug::WriteLine(const Object*) {}
void Debug::WriteLine(const TCHAR*, const TCHAR*) {}
void Debug::WriteLine(const Object*, const TCHAR*) {}

void Debug::WriteIf(bool, const TCHAR*) {}
void Debug::WriteIf(bool, const Object*) {}
void Debug::WriteIf(bool, const TCHAR*, const TCHAR*) {}
void Debug::WriteIf(bool, const Object*, const TCHAR*) {}
void Debug::WriteLineIf(bool, const TCHAR*) {}
void Debug::WriteLineIf(bool, const Object*) {}
void Debug::WriteLineIf(bool, const TCHAR*, const TCHAR*) {}
void Debug::WriteLineIf(bool, const Object*, const TCHAR*) {}

void Debug::WriteFormatted(const TCHAR*, ...) {}
void Debug::WriteFormattedLine(const TCHAR*, ...) {}
void Debug::WriteFormattedIf(bool, const TCHAR*, ...) {}
void Debug::WriteFormattedLineIf(bool, const TCHAR*, ...) {}
void Debug::WriteFormattedLineT(const TCHAR*, const TCHAR*, ...) {}

void Debug::Assert(bool) {}
void Debug::Assert(bool, const TCHAR*) {}
void Debug::Assert(bool, const TCHAR*, const TCHAR*) {}
void Debug::Fail(const TCHAR*) {}
void Debug::Fail(const TCHAR*, const TCHAR*) {}

void Debug::Flush() {}
void Debug::Close() {}
void Debug::Indent() {}
void Debug::Unindent() {}

bool Debug::getAutoFlush() { return false; }
void Debug::setAutoFlush(bool) {}
unsigned Debug::getIndentLevel() { return 0; }
void Debug::setIndentLevel(unsigned) {}
unsigned Debug::getIndentSize() { return 0; }
void Debug::setIndentSize(unsigned) {}
bool Debug::getAsertUIEnabled() { return false; }
void Debug::setAssertUIEnabled(bool) {}

TraceListenerCollection& Debug::getListeners() { return m_Listeners; }
void Debug::Cleanup() {}

}  // namespace Diagnostics
