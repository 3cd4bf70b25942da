// Send as Text: the document's list as plain text (MailText, from the mail settings
// of the options) on the clipboard, and the offer to open the desktop's mail program
// with it, addressed to the last recipient ("LastMail").
#pragma once
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <string>

class ListSender {
public:
    ListSender() = delete;

    static void Send(const rep::vector<Purchase*>& purchases, const std::u16string& title);
};
