#include "AppFixture.h"

#include "Clipboard.h"
#include "HandlerStub.h"

#include <filesystem>

using namespace apptest;

namespace {
using DesktopIntegrationTest = AppFixture;
}  // namespace

TEST_F(DesktopIntegrationTest, AListNamedOnTheCommandLineOpensAndAPlainStartReopensIt) {
    const std::string weekly = Root().file("lists/Weekly.lsr");
    std::filesystem::create_directories(Root().file("lists"));
    ASSERT_TRUE(WriteList(U16(weekly).c_str(), {new Purchase(u"Tea")}));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(Root().file("lists"));
    const bool started = Start({u"Weekly.lsr"});  // relative: from the current folder
    std::filesystem::current_path(before);
    ASSERT_TRUE(started);
    EXPECT_EQ(Doc().GetTitle(), CString(u"Weekly"));
    EXPECT_NE(Doc().FindPurchase(u"Tea"), nullptr);
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), U16(weekly));

    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().GetTitle(), CString(u"Weekly"));
}

TEST_F(DesktopIntegrationTest, SendAsTextPutsTheListOnTheClipboardAndOffersTheMailProgram) {
    ASSERT_TRUE(Start());
    Doc().AddPurchase(MakePurchase(u"Milk", 2, 1.5f, nullptr, nullptr, false, false, {}, u"l"));
    TheOptions().SetLastMail(u"ann@example.org");

    const HandlerStub handler(Root());
    Script().ExpectMessageBox(CString(u"The list is on the clipboard.\nOpen your mail program with it?"), IDYES);
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"Send as Text"}));
    EXPECT_EQ(Clipboard::GetText(), u"2, Milk, 1.50, Coupon: No, Purchased: No, Taxable: No, l\n");
    EXPECT_EQ(handler.Opened(),
              "mailto:ann@example.org?subject=New&body=2%2C%20Milk%2C%201.50%2C%20Coupon%3A%20No%2C%20"
              "Purchased%3A%20No%2C%20Taxable%3A%20No%2C%20l%0D%0A");
}
