// Base of every trace listener. Subclasses supply Write(message) and WriteLine(message);
// the other shapes are composed from those two.
#pragma once
#include "System/Object.h"

#include <memory>

namespace Diagnostics {

class TraceListener : public Object {
public:
    // Longest formatted message, terminator included; longer output is cut.
    static constexpr int maxFormattedLength = 2048;

    TraceListener();
    explicit TraceListener(const TCHAR* name);  // null gives the empty name
    TraceListener(const TraceListener& other);
    TraceListener& operator=(const TraceListener& other);
    ~TraceListener() override;

    TCHAR* ToString() const override;

    virtual void Close();
    virtual void Dispose();
    virtual void Fail(const TCHAR* message, const TCHAR* detail);
    virtual void Fail(const TCHAR* message);
    virtual void Flush();
    virtual void Write(const TCHAR* message, const TCHAR* category);
    virtual void Write(const Object* o, const TCHAR* category);
    virtual void Write(const TCHAR* message) = 0;
    virtual void Write(const Object* o);
    // The format is always a program constant, never data.
    virtual void WriteFormatted(const TCHAR* format, ...);
    virtual void WriteLine(const TCHAR* message, const TCHAR* category);
    virtual void WriteLine(const Object* o, const TCHAR* category);
    virtual void WriteLine(const TCHAR* message) = 0;
    virtual void WriteLine(const Object* o);

    unsigned getIndentLevel() const { return indentLevel; }
    void setIndentLevel(unsigned level) { indentLevel = level; }
    unsigned getIndentSize() const { return indentSize; }
    void setIndentSize(unsigned size) { indentSize = size; }
    // Never null: a listener made without a name has the empty name.
    const TCHAR* getName() const { return name.get(); }
    void setName(const TCHAR* newName);
    bool getNeedIndent() const { return needIndent; }
    void setNeedIndent(bool value) { needIndent = value; }

protected:
    // Writes indentLevel x indentSize blanks through Write.
    virtual void WriteIndent();

    unsigned indentLevel = 0;
    unsigned indentSize = 4;
    std::unique_ptr<TCHAR[]> name;
    bool needIndent = false;
};

}  // namespace Diagnostics
