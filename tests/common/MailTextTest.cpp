#include "MailText.h"

#include "Currency.h"
#include "ListTestSupport.h"

#include <gtest/gtest.h>

TEST(MailTextTest, SeedSettingsWriteEveryFieldWithTheLinesToBuyFirst) {
    Purchases list;
    list.push_back(Make({.name = u"Bread", .price = 2.25f, .purchased = true, .taxable = true}));
    list.push_back(Make({.name = u"Milk", .qty = 2, .price = 1.5f, .unit = u"l", .location = u"walmart",
                         .note = u"skimmed\nplease", .categories = {u"Dairy", u"Drinks"}, .taxable = true}));
    list.push_back(Make({.name = u"Apples", .qty = 2.5f, .price = 0.99f, .taxable = true}));
    const MailText text(MailSettings(), FindCurrency(u"United States"));
    EXPECT_EQ(text.Body(list),
              u"2, Milk, 1.50, Coupon: No, walmart, skimmed please, Dairy/Drinks, Purchased: No, Taxable: Yes, l\n"
              u"2.5, Apples, 0.99, Coupon: No, Purchased: No, Taxable: Yes\n"
              u"\n"
              u"1, Bread, 2.25, Coupon: No, Purchased: Yes, Taxable: Yes\n");
    EXPECT_EQ(text.Subject(u"Weekly"), u"Weekly");
}

TEST(MailTextTest, SettingsChooseColumnsAndFormats) {
    MailSettings mail;
    // Unit first, then quantity and name; everything else left out.
    const int columns[kPackedColumnCount] = {1, 2, 3, 15, 15, 15, 15, 15, 15, 0};
    std::copy(std::begin(columns), std::end(columns), mail.columns);
    mail.body = u"For Saturday:";
    mail.subject = u"Shopping";
    Purchases list;
    list.push_back(Make({.name = u"Milk", .qty = 2, .price = 1.5f, .unit = u"l"}));
    const Currency* dollar = FindCurrency(u"United States");
    for (const auto& [priceType, expected] : {std::pair{0, u"1.50"}, {1, u"$ 1.50"}, {2, u"1.50 USD"}}) {
        mail.priceType = priceType;
        const MailText text(mail, dollar);
        EXPECT_EQ(text.Body(list), u"For Saturday:\n\nl, 2, Milk, " + std::u16string(expected) + u"\n");
        EXPECT_EQ(text.Subject(u"Weekly"), u"Shopping");
    }
}

TEST(MailTextTest, MailtoEncodesEverythingButTheAddresses) {
    EXPECT_EQ(MailText::MailtoUrl(u"ann@example.org,bob@example.org", u"Eggs & ham?", u"1, Käse\n"),
              "mailto:ann@example.org,bob@example.org?subject=Eggs%20%26%20ham%3F&body=1%2C%20K%C3%A4se%0D%0A");
    EXPECT_EQ(MailText::MailtoUrl(u"", u"List", u""), "mailto:?subject=List");
}
