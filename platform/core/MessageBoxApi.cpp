#include "MessageBoxApi.h"

#include "WideString.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<MessageBoxHandler> g_handler{nullptr};

// The answer of the default button, so code without a user interface goes on as if the
// user had accepted the proposed choice.
int DefaultAnswer(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    const UINT def = (type & MB_DEFMASK) >> 8;
    switch (buttons) {
    case MB_OKCANCEL: return def == 1 ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE: return def == 1 ? IDRETRY : def == 2 ? IDIGNORE : IDABORT;
    case MB_YESNOCANCEL: return def == 1 ? IDNO : def == 2 ? IDCANCEL : IDYES;
    case MB_YESNO: return def == 1 ? IDNO : IDYES;
    case MB_RETRYCANCEL: return def == 1 ? IDCANCEL : IDRETRY;
    default: return IDOK;
    }
}
}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (MessageBoxHandler handler = g_handler.load())
        return handler(owner, text, caption, type);
    std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption ? caption : u"").c_str(),
                 ToUtf8(text ? text : u"").c_str());
    return DefaultAnswer(type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return g_handler.exchange(handler);
}
