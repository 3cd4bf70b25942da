// Shared pieces of the document and program tests.
#pragma once
#include "UiTest.h"

#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"
#include "Item.h"
#include "LRRegistry.h"
#include "ListFile.h"
#include "MainFrm.h"
#include "NameList.h"
#include "WideString.h"
#include "Options.h"
#include "Purchase.h"
#include "ListoraStrings.h"
#include "listoradoc.h"

#include <QPainter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The catalogue every document test starts from: three items, two seed locations.
inline const char* const kTestItemsFile =
    "\"Name\",\"Unit\",\"Quantity\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+Categories\"\r\n"
    "\"Milk\",\"gal\",0,3.49,0,0,\"+*(WA)+Foods+Drinks\"\r\n"
    "\"Eggs\",\"doz\",0,2.99,0,0,\"+*(WA)+Foods\"\r\n"
    "\"Soap\",\"\",0,1.50,0,0,\"+*(  )+Household & Cleaning Items\"\r\n";

inline std::string Utf16File(const char* text) {
    return "\xFF\xFE" + Utf16Bytes(std::u16string(text, text + std::char_traits<char>::length(text)));
}

// Another program's text list of one line.
inline const std::string kTextList = Utf16File(
    "\"Name\",\"Unit\",\"Quantity\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+Categories\"\r\n"
    "\"Tea\",\"box\",2,1.25,0,0,\"+*(  )+Drinks\"\r\n");

inline std::u16string U16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

using Names = std::vector<std::u16string>;

// A copy of a text as the name lists own them (freed with delete[]).
inline TCHAR* CopyText(std::u16string_view text) {
    auto* copy = new TCHAR[text.size() + 1]{};
    std::copy(text.begin(), text.end(), copy);
    return copy;
}

inline Purchase* MakePurchase(const char16_t* name, float qty, float price, const char16_t* location = nullptr,
                              const char16_t* note = nullptr, bool coupon = false, bool once = false,
                              std::vector<const char16_t*> categories = {}, const char16_t* unit = u"") {
    auto* purchase = new Purchase(name);
    rep::string_list list;
    for (const char16_t* category : categories)
        list.push_back(CopyText(category));
    purchase->Set(name, unit, note, location, qty, price, coupon, false, once, false, list);
    return purchase;
}

// Writes a list file with these lines (destroyed afterwards).
inline bool WriteList(const char16_t* path, std::vector<Purchase*> lines) {
    rep::vector<Purchase*> list;
    for (Purchase* line : lines)
        list.push_back(line);
    ListFile file;
    const bool written = file.Write(path, list);
    rep::delete_objects(list);
    return written;
}

template <class List>
Names NamesOf(const List& things) {
    Names names;
    for (const auto* thing : things)
        names.emplace_back(thing->Name());
    return names;
}

// The names of the items in the store, and of the lines of a list file.
inline Names StoredItemNames() {
    rep::vector<Item*> stored;
    EXPECT_TRUE(TheRegistry().GetItems(stored));
    const Names names = NamesOf(stored);
    rep::delete_objects(stored);
    return names;
}

inline Names ListFileNames(const char16_t* path) {
    rep::vector<Purchase*> read;
    EXPECT_TRUE(ListFile().Read(path, read));
    const Names names = NamesOf(read);
    rep::delete_objects(read);
    return names;
}

template <class Texts>
Names TextsOf(const Texts& list) {
    return Names(list.begin(), list.end());
}

using Entries = std::vector<std::pair<std::u16string, UINT>>;

// Every entry of a menu as (text, id); separators are ("", 0).
inline Entries EntriesOf(CMenu* menu) {
    Entries entries;
    for (int i = 0; menu && i < menu->GetMenuItemCount(); ++i) {
        CString text;
        menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        entries.emplace_back(text.str(), menu->GetMenuItemID(i));
    }
    return entries;
}

inline std::vector<bool> ChecksOf(CMenu* menu) {
    std::vector<bool> checks;
    for (int i = 0; menu && i < menu->GetMenuItemCount(); ++i)
        checks.push_back((menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0);
    return checks;
}

// A view that counts the document's resets and updates.
class RecordingView : public CView, public IListoraDocView {
public:
    void ResetView() override { ++resets; }
    void OnUpdate(CView*, LPARAM hint, void*) override { hints.push_back(hint); }
    void OnDraw(QPainter&) override {}

    int resets = 0;
    std::vector<LPARAM> hints;
};

class DocTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterListoraStrings();
        WriteHostFile(Root().file("items.isl"), Utf16File(kTestItemsFile));
        TheRegistry().close();
        TheRegistry().SetDefaultItemsFile(u"\\items.isl");
        ASSERT_TRUE(TheRegistry().Open());
        ASSERT_TRUE(TheOptions().Load(TheRegistry()));
        // Known settings whatever the defaults are.
        TheOptions().SetAutosave(false);
        TheOptions().SetNotifyWhenReach(false);
        TheOptions().SetSortColumn(1);
        TheOptions().SetSortDirection(0);
        TheOptions().SetOnDevice(false);
        TheOptions().SetLastFile(nullptr);
    }
    void TearDown() override {
        m_frame.reset();
        m_doc.reset();
        m_app.reset();
        TheRegistry().close();
        TheRegistry().SetDefaultItemsFile(nullptr);
        UiTest::TearDown();
    }

    // A document with the catalogue read from the store.
    CListoraDoc& Doc() {
        if (!m_doc) {
            m_doc = std::make_unique<CListoraDoc>();
            m_doc->LoadCatalogue();
        }
        return *m_doc;
    }

    // The program's main frame showing the document in one view made by newView.
    std::unique_ptr<CMainFrame> MakeFrame(std::function<CView*()> newView) {
        CMainFrame::RegisterResources();
        auto frame = std::make_unique<CMainFrame>();
        CCreateContext context;
        context.m_pNewViewClass = std::move(newView);
        context.m_pCurrentDoc = &Doc();
        EXPECT_TRUE(frame->LoadFrame(MainFrame::IDR_MAINFRAME, 0, nullptr, &context));
        frame->InitialUpdateFrame(&Doc(), FALSE);
        return frame;
    }

    // The document in a frame with one recording view, under an application.
    CMainFrame& Frame() {
        if (!m_frame) {
            m_app = std::make_unique<CWinApp>(u"Listora");
            m_frame = MakeFrame([] { return new RecordingView; });
            m_app->m_pMainWnd = m_frame.get();
        }
        return *m_frame;
    }

    RecordingView* View() { return dynamic_cast<RecordingView*>(Frame().GetActiveView()); }

    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CListoraDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};
