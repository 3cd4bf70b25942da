#include "System/Diagnostics/DefaultTraceListener.h"

#include "Text/Util.h"

namespace Diagnostics {

DefaultTraceListener::DefaultTraceListener() = default;
DefaultTraceListener::DefaultTraceListener(const TCHAR* listenerName) : TraceListener(listenerName) {}
DefaultTraceListener::~DefaultTraceListener() = default;

TCHAR* DefaultTraceListener::ToString() const {
    return Util::tcsdup(::Format(u"System.Diagnostics.DefaultTraceListener - %X, %s", GetHashCode(),
                                 getName())
                            .c_str());
}

void DefaultTraceListener::Close() {}
void DefaultTraceListener::Dispose() {}
void DefaultTraceListener::Flush() {}

void DefaultTraceListener::Write(const TCHAR* message) {
    if (message)
        OutputDebugStringW(message);
}

void DefaultTraceListener::WriteLine(const TCHAR* message) { Write(message); }

}  // namespace Diagnostics
