#include "System/Diagnostics/TraceListener.h"

#include "Text/Util.h"

#include <cstdarg>
#include <string>

namespace Diagnostics {

namespace {
std::unique_ptr<TCHAR[]> CopyName(const TCHAR* name) {
    return std::unique_ptr<TCHAR[]>(Util::tcsdup(name ? name : u""));
}
}  // namespace

TraceListener::TraceListener() : name(CopyName(nullptr)) {}

TraceListener::TraceListener(const TCHAR* listenerName) : name(CopyName(listenerName)) {}

TraceListener::TraceListener(const TraceListener& other)
    : Object(other),
      indentLevel(other.indentLevel),
      indentSize(other.indentSize),
      name(CopyName(other.getName())),
      needIndent(other.needIndent) {}

TraceListener& TraceListener::operator=(const TraceListener& other) {
    if (this != &other) {
        indentLevel = other.indentLevel;
        indentSize = other.indentSize;
        name = CopyName(other.getName());
        needIndent = other.needIndent;
    }
    return *this;
}

TraceListener::~TraceListener() = default;

TCHAR* TraceListener::ToString() const {
    return Util::tcsdup(
        ::Format(u"System.Diagnostics.TraceListener - %X, %s", GetHashCode(), getName()).c_str());
}

void TraceListener::setName(const TCHAR* newName) { name = CopyName(newName); }

void TraceListener::Close() {}
void TraceListener::Dispose() {}
void TraceListener::Fail(const TCHAR*, const TCHAR*) {}
void TraceListener::Fail(const TCHAR*) {}
void TraceListener::Flush() {}

void TraceListener::Write(const TCHAR* message, const TCHAR* category) {
    Write(message);
    Write(category);
}

void TraceListener::Write(const Object* o, const TCHAR* category) {
    Write(o);
    Write(category);
}

void TraceListener::Write(const Object* o) {
    if (!o)
        return;
    std::unique_ptr<TCHAR[]> text(o->ToString());
    Write(text.get());
}

void TraceListener::WriteFormatted(const TCHAR* format, ...) {
    TCHAR buffer[maxFormattedLength];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, maxFormattedLength, format ? format : u"", args);
    va_end(args);
    Write(buffer);
}

void TraceListener::WriteLine(const TCHAR* message, const TCHAR* category) {
    WriteLine(message);
    WriteLine(category);
}

void TraceListener::WriteLine(const Object* o, const TCHAR* category) {
    WriteLine(o);
    WriteLine(category);
}

void TraceListener::WriteLine(const Object* o) {
    if (!o)
        return;
    std::unique_ptr<TCHAR[]> text(o->ToString());
    WriteLine(text.get());
}

void TraceListener::WriteIndent() {
    // Both factors are unsigned and may be large: build the blanks in a string.
    const std::size_t count = static_cast<std::size_t>(indentLevel) * indentSize;
    if (count == 0)
        return;
    const std::u16string blanks(count, u' ');
    Write(blanks.c_str());
}

}  // namespace Diagnostics
