// A list as plain text for a mail or a message, written as the mail settings of the
// options say: which fields in which order (a column per field; 15 leaves it out),
// how flags and prices are written. Lines still to buy come first, the ticked ones
// after a blank line; the settings' body text, when there is one, comes before them.
//
// A line holds its fields in column order, separated by ", "; empty fields are left
// out. Quantities show up to two decimals, prices two (with the currency's symbol in
// front or its abbreviation behind, as for export); a flag shows as "Coupon: Yes",
// "Purchased: No", "Taxable: Yes" in the flag format; categories are joined by "/".
#pragma once
#include "windows.h"

#include "Currency.h"
#include "Options.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <string>

class MailText {
public:
    // The longest mailto address handed to the desktop: a longer list goes by the
    // clipboard alone.
    static constexpr std::size_t kMaxMailtoLength = 32000;

    // currency: for prefixed and postfixed prices (null: none).
    MailText(const MailSettings& mail, const Currency* currency);

    std::u16string Line(const Purchase& purchase) const;
    // The whole text, lines ending in "\n".
    std::u16string Body(const rep::vector<Purchase*>& purchases) const;
    // The settings' subject, else the list's title.
    std::u16string Subject(const std::u16string& title) const;

    // "mailto:" with the recipient, subject and body percent-encoded (UTF-8; line
    // ends as CR LF). An empty body leaves the body out.
    static std::string MailtoUrl(const std::u16string& recipient, const std::u16string& subject,
                                 const std::u16string& body);

private:
    MailSettings m_mail;
    const Currency* m_currency;
};
