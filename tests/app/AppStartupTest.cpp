#include "AppFixture.h"
#include "DocTestSupport.h"

#include "CListoraChoiceView.h"
#include "CListoraView.h"
#include "ProcessApi.h"
#include "RegistryApi.h"
#include "ScreenFonts.h"

#include "System/Diagnostics/Trace.h"
#include "System/IO/FileStream.h"

#include <filesystem>
#include <set>

using namespace apptest;
namespace fs = std::filesystem;

namespace {

const CString kCreateOrOpen(u"Select \"Yes\" to create new file, \"No\" to open an existing file.");

CString CannotOpen(const std::u16string& path) {
    return CString(u"Cannot open file '" + path + u"'!");
}

std::u16string ClassesDefault(const char16_t* subKey) {
    HKEY key = nullptr;
    char16_t value[1100] = {};
    DWORD size = sizeof value;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey, 0, 0, &key) != ERROR_SUCCESS)
        return u"<missing>";
    const LONG result = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : u"<missing>";
}

using AppStartupTest = AppFixture;

}  // namespace

TEST_F(AppStartupTest, LastListThatIsGoneAsksToCreateOrOpen) {
    ASSERT_TRUE(Start());
    Stop();
    ASSERT_TRUE(fs::remove(NewList()));
    // Yes: a new list under the chosen name.
    const std::string fresh = Root().file("My Documents/Fresh.lsr");
    Script()
        .ExpectMessageBox(CannotOpen(u"\\My Documents\\New.lsr"), IDOK)
        .ExpectMessageBox(kCreateOrOpen, IDYES)
        .ExpectFileDialog(false, CString(U16(fresh)));
    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().GetTitle(), CString(u"Fresh"));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), U16(fresh));
    EXPECT_NE(App().GetChoiceView(), nullptr);
    App().OnAppExit();
    ASSERT_TRUE(fs::remove(fresh));

    // No: the chosen list is opened (and, unchanged, reopened at the next start).
    const std::string weekly = Root().file("Weekly.lsr");
    ASSERT_TRUE(WriteList(U16(weekly).c_str(), {new Purchase(u"Bread"), new Purchase(u"Milk")}));
    Script()
        .ExpectMessageBox(CannotOpen(U16(fresh)), IDOK)
        .ExpectMessageBox(kCreateOrOpen, IDNO)
        .ExpectFileDialog(true, CString(U16(weekly)));
    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().GetPurchases().size(), 2u);
    EXPECT_EQ(Doc().GetTitle(), CString(u"Weekly"));
    EXPECT_EQ(Script().LastDefaultExtension(), CString(u"lsr"));
    Stop();

    // No, then Cancel: the program ends without a window.
    ASSERT_TRUE(fs::remove(weekly));
    Script()
        .ExpectMessageBox(CannotOpen(U16(weekly)), IDOK)
        .ExpectMessageBox(kCreateOrOpen, IDNO)
        .ExpectFileDialog(true, CString());
    EXPECT_FALSE(Start());
    EXPECT_EQ(App().GetMainFrame(), nullptr);
}

TEST_F(AppStartupTest, WithoutALastFileTheNewListNameIsAskedAndCancelEnds) {
    ASSERT_TRUE(Start());
    TheOptions().SetLastFile(nullptr);
    TheOptions().Save(TheRegistry());
    Script().ExpectFileDialog(false, CString());
    EXPECT_FALSE(Start());
}

TEST_F(AppStartupTest, FileTypeIsRewrittenAtEveryStartWithTheProgramsPath) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u".lsr", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(u"Other"), 12);
    RegCloseKey(key);
    ASSERT_TRUE(Start());
    char16_t program[1024] = {};
    GetModuleFileNameW(nullptr, program, 1024);
    EXPECT_EQ(ClassesDefault(u".lsr"), u"Tamra File");
    EXPECT_EQ(ClassesDefault(u"Tamra File\\DefaultIcon"), std::u16string(program) + u",0");
    EXPECT_EQ(ClassesDefault(u"Tamra File\\Shell\\Open\\Command"), u"\"" + std::u16string(program) + u"\" \"%1\"");
}

TEST_F(AppStartupTest, LogNameRetryTakesTheNextFreeNameAndIsBounded) {
    // Folders take the names: a stream cannot open them.
    fs::create_directories(Root().file("Listora.txt"));
    fs::create_directories(Root().file("Listor1.txt"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().GetLogPath(), u"\\Listor2.txt");
    Stop();

    std::string base = "Listora";
    for (int counter = 1; counter <= ListoraApp::kMaxLogNameRetries; ++counter) {
        base = base.substr(0, base.size() - 1) + std::to_string(counter);
        fs::remove(Root().file(base + ".txt"));
        fs::create_directories(Root().file(base + ".txt"));
    }
    ASSERT_TRUE(Start()) << "starts without a log";
    EXPECT_TRUE(App().GetLogPath().empty());
    EXPECT_EQ(Doc().GetTitle(), CString(u"New"));
}

TEST_F(AppStartupTest, ExitInstanceUnregistersTheLogListenerBeforeDestroyingIt) {
    const int before = Diagnostics::Trace::getListeners().getCount();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Diagnostics::Trace::getListeners().getCount(), before + 1);
    App().ExitInstance();
    EXPECT_EQ(Diagnostics::Trace::getListeners().getCount(), before);
    Diagnostics::Trace::WriteLine(u"after exit");  // the sanitizer watches for a stale listener
    IO::FileStream reopen;
    EXPECT_EQ(reopen.Init(u"\\Listora.txt", IO::FileMode::Open, IO::FileAccess::Read), IO::OpenResult::Opened);
}

TEST_F(AppStartupTest, StoreThatCannotBeCreatedEndsWithAMessage) {
    TheRegistry().SetDefaultItemsFile(U16(Root().file("missing.isl")).c_str());
    Script()
        .ExpectMessageBox(CString(u"Init file is invalid!"), IDOK)
        .ExpectMessageBox(CString(u"Cannot init the registry!\n" + FromUtf8(RegistryStore::DatabasePath())), IDOK);
    EXPECT_FALSE(Start());
    EXPECT_EQ(App().GetMainFrame(), nullptr);
    EXPECT_NE(LogText(Root().file("Listora.txt")).find("Cannot create default values!"), std::string::npos);
}

// The list is shown before the catalogue is read. What the list adds to the catalogue
// (its new item, its shop) arrives after the first paint; a change saved before that
// keeps the stored name lists whole.
TEST_F(AppStartupTest, TheCatalogueFollowsTheFirstPaint) {
    ASSERT_TRUE(Start());
    Stop();
    ASSERT_TRUE(WriteList(U16(NewList()).c_str(), {MakePurchase(u"Zebra cakes", 1, 2, u"Corner shop")}));
    const auto storedCategories = [] {
        EXPECT_TRUE(TheRegistry().init());
        rep::vector<TCHAR*> stored;
        EXPECT_TRUE(TheRegistry().GetCategories(stored));
        const std::set<std::u16string> texts(stored.begin(), stored.end());
        rep::delete_arrays(stored);
        TheRegistry().close();
        return texts;
    };
    const auto categories = storedCategories();

    ASSERT_TRUE(Start());
    EXPECT_TRUE(Doc().IsCataloguePending());
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), Names{u"Zebra cakes"});
    App().GetListView()->RenderToImage();
    ProcessEvents();
    EXPECT_FALSE(Doc().IsCataloguePending());
    EXPECT_NE(Doc().FindItem(u"Zebra cakes"), nullptr);
    const Names items = StoredItemNames();
    EXPECT_NE(std::find(items.begin(), items.end(), u"Zebra cakes"), items.end());
    EXPECT_TRUE(NameListContains(Doc().GetLocations(), u"Corner shop"));
    Stop();

    ASSERT_TRUE(Start());
    ASSERT_TRUE(Doc().IsCataloguePending());
    Doc().SetModifiedFlag(TRUE);
    ASSERT_TRUE(Doc().SaveModified());
    Stop();
    EXPECT_EQ(storedCategories(), categories);
}

// The store is checked while the window is made: damage found then still sets the
// store aside, restores its backup and brings the backup's settings to the views.
TEST_F(AppStartupTest, AStoreDamagedSinceTheLastExitIsRestoredWithItsSettings) {
    ASSERT_TRUE(Start());
    TheOptions().SetFontSize(18);
    TheOptions().Save(TheRegistry());
    Stop();  // a clean exit keeps the backup
    TheOptions().SetFontSize(11);
    TheOptions().Save(TheRegistry());
    TheRegistry().close();
    RegistryStore::Shutdown();
    // Garbage over the last page (catalogue items): the settings still read well.
    std::string bytes = ReadHostFile(Root().file("registry.db"));
    ASSERT_GT(bytes.size(), 8192u);
    std::fill(bytes.end() - 4096, bytes.end(), '\xA5');
    WriteHostFile(Root().file("registry.db"), bytes);

    Script().ExpectMessageBoxStarting(CString(u"The settings and catalogue store was damaged."), IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(TheOptions().GetFontSize(), 18u);
    EXPECT_EQ(App().GetListView()->NormalFont().pixelSize(), ScreenFonts::Make(QStringLiteral("Tahoma"), 18).pixelSize());
}
