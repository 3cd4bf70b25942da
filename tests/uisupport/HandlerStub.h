// A stand-in for the desktop's default handler (xdg-open), first on PATH while the
// object lives, so that tests of help pages and links open nothing: it records the
// argument it was started with.
#pragma once
#include <string>

class TestRoot;

class HandlerStub {
public:
    explicit HandlerStub(const TestRoot& root);
    ~HandlerStub();
    HandlerStub(const HandlerStub&) = delete;
    HandlerStub& operator=(const HandlerStub&) = delete;

    // The argument the handler got; waits up to waitMs for the detached start, and
    // is empty when the handler never ran.
    std::string Opened(int waitMs = 10000) const;

private:
    std::string m_record;
    std::string m_path;
};
