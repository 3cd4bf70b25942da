// Message boxes of the core caught instead of shown, for tests without the modal seam.
#pragma once
#include "MessageBoxApi.h"

#include <string>
#include <vector>

// Collects the text of every message box while it lives; each box answers OK.
class MessageBoxes {
public:
    MessageBoxes() { m_previous = SetMessageBoxHandler(&Record); }
    ~MessageBoxes() {
        SetMessageBoxHandler(m_previous);
        Texts().clear();
    }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    const std::vector<std::u16string>& texts() const { return Texts(); }

private:
    static std::vector<std::u16string>& Texts() {
        static std::vector<std::u16string> texts;
        return texts;
    }
    static int Record(HWND, LPCWSTR text, LPCWSTR, UINT) {
        Texts().push_back(text ? text : u"");
        return IDOK;
    }
    MessageBoxHandler m_previous = nullptr;
};
