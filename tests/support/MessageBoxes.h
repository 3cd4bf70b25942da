// Message boxes of the core caught instead of shown, for tests without the modal seam.
#pragma once
#include "MessageBoxApi.h"

#include <string>
#include <vector>

// Collects every message box while it lives; each box answers OK.
class MessageBoxes {
public:
    struct Box {
        std::u16string text, caption;
        UINT type = 0;
    };

    MessageBoxes() { m_previous = SetMessageBoxHandler(&Record); }
    ~MessageBoxes() {
        SetMessageBoxHandler(m_previous);
        Shown().clear();
        Texts().clear();
    }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    const std::vector<std::u16string>& texts() const { return Texts(); }
    const std::vector<Box>& boxes() const { return Shown(); }

private:
    static std::vector<std::u16string>& Texts() {
        static std::vector<std::u16string> texts;
        return texts;
    }
    static std::vector<Box>& Shown() {
        static std::vector<Box> shown;
        return shown;
    }
    static int Record(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
        Texts().push_back(text ? text : u"");
        Shown().push_back({Texts().back(), caption ? caption : u"", type});
        return IDOK;
    }
    MessageBoxHandler m_previous = nullptr;
};
