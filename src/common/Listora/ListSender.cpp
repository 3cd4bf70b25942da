#include "ListSender.h"

#include "AfxMessageBox.h"
#include "Clipboard.h"
#include "ImportExportEngine.h"
#include "ListoraStrings.h"
#include "MailText.h"
#include "Options.h"
#include "ProcessApi.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

namespace {
// The desktop's handler for documents, links and mail addresses.
constexpr const TCHAR* kDesktopHandler = u"xdg-open";
}  // namespace

void ListSender::Send(const rep::vector<Purchase*>& purchases, const std::u16string& title) {
    const Options& options = TheOptions();
    const MailText text(options.GetMail(), ImportExportEngine::CurrencyOf(options));
    const std::u16string body = text.Body(purchases);
    Clipboard::SetText(body);

    const std::u16string recipient = options.GetLastMail() ? options.GetLastMail() : u"";
    const std::u16string subject = text.Subject(title);
    std::string url = MailText::MailtoUrl(recipient, subject, body);
    // Too long an address is cut or refused on its way to the mail program: that
    // list goes by the clipboard alone.
    const bool fits = url.size() <= MailText::kMaxMailtoLength;
    if (!fits)
        url = MailText::MailtoUrl(recipient, subject, u"");
    if (AfxMessageBox(fits ? IDS_LIST_ON_CLIPBOARD : IDS_LIST_TOO_LONG_FOR_MAIL, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // In quotes: one argument, whatever the address holds.
    std::u16string commandLine(1, u'"');
    commandLine += FromUtf8(url);
    commandLine += u'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(kDesktopHandler, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Diagnostics::Trace::WriteFormattedLineT(u"error", u"Cannot start %s (error %d)", kDesktopHandler,
                                                static_cast<int>(GetLastError()));
        AfxMessageBox(IDS_CANNOT_START_MAIL, MB_OK | MB_ICONERROR);
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
