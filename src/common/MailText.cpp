#include "MailText.h"

#include "CImportExportTemplate.h"
#include "ImportExportEngine.h"
#include "WideFormat.h"
#include "WideString.h"

#include <cmath>
#include <cstring>
#include <map>

namespace {

using Slot = CImportExportTemplate::Slot;
constexpr int kLastColumn = 14;

// A text on one line: its line breaks become blanks.
std::u16string OneLine(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return out;
}

std::u16string Fixed2(double value) {
    return std::isfinite(value) ? Format(u"%.2f", value) : std::u16string(u"0.00");
}

// Up to two decimals, no trailing zeros: 2, 2.5, 0.33.
std::u16string Quantity(double value) {
    std::u16string text = Fixed2(value);
    while (text.back() == u'0')
        text.pop_back();
    if (text.back() == u'.')
        text.pop_back();
    return text;
}

void AppendEncoded(std::string& out, std::u16string_view text, const char* alsoKept) {
    static const char kHex[] = "0123456789ABCDEF";
    for (const char c : ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved || (byte < 0x80 && byte && std::strchr(alsoKept, c))) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
}

}  // namespace

MailText::MailText(const MailSettings& mail, const Currency* currency) : m_mail(mail), m_currency(currency) {}

std::u16string MailText::Line(const Purchase& purchase) const {
    // Column -> the fields placed there, in slot order.
    std::map<int, std::u16string> cells;
    auto put = [&](int slot, std::u16string text) {
        const int column = m_mail.columns[slot];
        if (column < 0 || column > kLastColumn || text.empty())
            return;
        std::u16string& cell = cells[column];
        if (!cell.empty())
            cell += u' ';
        cell += text;
    };
    auto flag = [&](const char16_t* label, bool value) {
        return std::u16string(label) + u": " + ImportExportEngine::BoolText(m_mail.boolFormat, value);
    };
    put(Slot::QTY, Quantity(purchase.GetQty()));
    put(Slot::NAME, OneLine(purchase.Name()));
    std::u16string price = Fixed2(purchase.GetPrice());
    if (m_mail.priceType == 1 && m_currency)
        price = std::u16string{m_currency->symbol, u' '} + price;
    else if (m_mail.priceType == 2 && m_currency)
        price += std::u16string(u" ") + m_currency->abbreviation;
    put(Slot::PRICE, price);
    put(Slot::COUPON, flag(u"Coupon", purchase.HasCoupon()));
    put(Slot::LOCATION, OneLine(purchase.GetLocation() ? purchase.GetLocation() : u""));
    put(Slot::NOTE, OneLine(purchase.GetNote() ? purchase.GetNote() : u""));
    std::u16string categories;
    for (const TCHAR* category : purchase.GetCategories()) {
        if (!categories.empty())
            categories += u'/';
        categories += OneLine(category ? category : u"");
    }
    put(Slot::CATEGORIES, categories);
    put(Slot::PURCHASED, flag(u"Purchased", purchase.IsPurchased()));
    put(Slot::TAXABLE, flag(u"Taxable", purchase.IsTaxable()));
    put(Slot::UNIT, OneLine(purchase.Unit()));

    std::u16string line;
    for (const auto& [column, cell] : cells) {
        if (!line.empty())
            line += u", ";
        line += cell;
    }
    return line;
}

std::u16string MailText::Body(const rep::vector<Purchase*>& purchases) const {
    std::u16string toBuy;
    std::u16string bought;
    for (const Purchase* purchase : purchases)
        (purchase->IsPurchased() ? bought : toBuy) += Line(*purchase) + u"\n";
    std::u16string text;
    if (!m_mail.body.empty())
        text = m_mail.body + u"\n\n";
    text += toBuy;
    if (!toBuy.empty() && !bought.empty())
        text += u"\n";
    return text + bought;
}

std::u16string MailText::Subject(const std::u16string& title) const {
    return m_mail.subject.empty() ? title : m_mail.subject;
}

std::string MailText::MailtoUrl(const std::u16string& recipient, const std::u16string& subject,
                                const std::u16string& body) {
    std::string url = "mailto:";
    // Addresses keep their @ and the commas between them.
    AppendEncoded(url, recipient, "@,+");
    url += "?subject=";
    AppendEncoded(url, subject, "");
    if (!body.empty()) {
        std::u16string crlf;
        for (const char16_t c : body)
            c == u'\n' ? crlf += u"\r\n" : crlf += c;
        url += "&body=";
        AppendEncoded(url, crlf, "");
    }
    return url;
}
