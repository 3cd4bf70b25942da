#include "System/Diagnostics/TextWriterTraceListener.h"

#include "System/IO/BinaryWriter.h"
#include "System/IO/Stream.h"
#include "Text/Util.h"

#include <algorithm>

namespace Diagnostics {

TextWriterTraceListener::TextWriterTraceListener(const TCHAR* listenerName, IO::Stream& stream)
    : TraceListener(listenerName), m_stream(stream), m_writer(std::make_unique<IO::BinaryWriter>(stream)) {}

TextWriterTraceListener::~TextWriterTraceListener() = default;

TCHAR* TextWriterTraceListener::ToString() const {
    return Util::tcsdup(::Format(u"System.Diagnostics.TextWriterTraceListener - %X, %s",
                                 GetHashCode(), getName())
                            .c_str());
}

void TextWriterTraceListener::Close() {}
void TextWriterTraceListener::Dispose() {}

void TextWriterTraceListener::Flush() { m_stream.Flush(); }

void TextWriterTraceListener::WriteUnits(const TCHAR* text, std::size_t count) {
    // The writer counts in int: very long texts go in pieces.
    constexpr std::size_t chunk = 1u << 20;
    while (count > 0) {
        const std::size_t part = std::min(count, chunk);
        m_writer->WriteChars(text, static_cast<int>(part));
        text += part;
        count -= part;
    }
}

void TextWriterTraceListener::Write(const TCHAR* message) {
    if (message)
        WriteUnits(message, _tcslen(message));
}

void TextWriterTraceListener::WriteLine(const TCHAR* message) {
    Write(message);
    static const TCHAR lineEnd[] = u"\r\n";
    WriteUnits(lineEnd, 2);
}

bool TextWriterTraceListener::HasFailed() const { return m_writer->HasFailed(); }

}  // namespace Diagnostics
