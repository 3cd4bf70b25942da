// The desktop's clipboard, for text.
#pragma once
#include <string>

class Clipboard {
public:
    Clipboard() = delete;

    // Puts the text on the clipboard (and the selection, where the desktop has one).
    static bool SetText(const std::u16string& text);
    static std::u16string GetText();
};
