// Sends every message to the platform debugger output.
#pragma once
#include "System/Diagnostics/TraceListener.h"

namespace Diagnostics {

class DefaultTraceListener : public TraceListener {
public:
    DefaultTraceListener();
    explicit DefaultTraceListener(const TCHAR* name);
    ~DefaultTraceListener() override;

    using TraceListener::Write;
    using TraceListener::WriteLine;

    TCHAR* ToString() const override;
    void Close() override;
    void Dispose() override;
    void Flush() override;
    void Write(const TCHAR* message) override;
    // The debugger output has no notion of lines: the same output as Write.
    void WriteLine(const TCHAR* message) override;
};

}  // namespace Diagnostics
