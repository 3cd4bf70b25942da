// A trace listener that keeps every line while it lives (for tests of programs that
// link the framework).
#pragma once
#include "System/Diagnostics/Trace.h"
#include "System/Diagnostics/TraceListener.h"

#include <algorithm>
#include <string>
#include <vector>

// Collects every trace line while it lives.
class TraceLines : public Diagnostics::TraceListener {
public:
    TraceLines() { Diagnostics::Trace::getListeners().Add(this); }
    ~TraceLines() override { Diagnostics::Trace::getListeners().Remove(this); }
    TraceLines(const TraceLines&) = delete;
    TraceLines& operator=(const TraceLines&) = delete;

    using TraceListener::Write;
    using TraceListener::WriteLine;
    void Write(const TCHAR* message) override { pending += message ? message : u""; }
    void WriteLine(const TCHAR* message) override {
        lines.push_back(pending + (message ? message : u""));
        pending.clear();
    }

    // True when some line contains text.
    bool Has(const std::u16string& text) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::u16string& line) { return line.find(text) != std::u16string::npos; });
    }
    // True when some line ends with text (log lines start with category and time).
    bool HasLineEndingWith(const std::u16string& text) const {
        return std::any_of(lines.begin(), lines.end(), [&](const std::u16string& line) {
            return line.size() >= text.size() && line.compare(line.size() - text.size(), text.size(), text) == 0;
        });
    }
    std::size_t Count(const std::u16string& text) const {
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(),
            [&](const std::u16string& line) { return line.find(text) != std::u16string::npos; }));
    }

    std::vector<std::u16string> lines;
    std::u16string pending;
};
