// Writes each message as its UTF-16LE code units, through a binary writer, to a stream
// it does not own; a line ends with the code units 000D 000A. Write failures set the
// writer's failure flag and are never reported to the caller.
#pragma once
#include "System/Diagnostics/TraceListener.h"

#include <memory>

namespace IO {
class Stream;
class BinaryWriter;
}  // namespace IO

namespace Diagnostics {

class TextWriterTraceListener : public TraceListener {
public:
    TextWriterTraceListener(const TCHAR* name, IO::Stream& stream);
    ~TextWriterTraceListener() override;
    TextWriterTraceListener(const TextWriterTraceListener&) = delete;
    TextWriterTraceListener& operator=(const TextWriterTraceListener&) = delete;

    using TraceListener::Write;
    using TraceListener::WriteLine;

    TCHAR* ToString() const override;
    // The stream belongs to whoever made the listener: these leave it open.
    void Close() override;
    void Dispose() override;
    void Flush() override;
    void Write(const TCHAR* message) override;
    void WriteLine(const TCHAR* message) override;

    IO::Stream& getStream() const { return m_stream; }
    // The writer's failure flag: set by the first transfer the stream did not take
    // whole, never cleared.
    bool HasFailed() const;

private:
    void WriteUnits(const TCHAR* text, std::size_t count);

    IO::Stream& m_stream;
    std::unique_ptr<IO::BinaryWriter> m_writer;
};

}  // namespace Diagnostics
