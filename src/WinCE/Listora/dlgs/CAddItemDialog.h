// The add-item dialog ("Add Item to list"): where a purchase is created or changed.
// The user picks or types an item name; the other fields fill from the purchase of
// that name already in the list, or else from the catalogue item of that name, or
// else (after a known name was shown) from the defaults. OK writes the fields into
// the list's purchase of that name, or into a new purchase that the caller takes.
#pragma once
#include "CFloatEdit.h"
#include "CSpinButtonCtrl.h"
#include "dlgs/CStretchScrollDialog.h"

#include "Registry/RepVector.h"

#include <QPointer>
#include <memory>

class CListoraDoc;
class Item;
class Purchase;
class QWidget;

class CAddItemDialog : public CStretchScrollDialog {
public:
    static constexpr UINT IDD = 189;
    // Controls of resource 189.
    static constexpr int IDC_NAME = 1003;
    static constexpr int IDC_QTY = 1006;
    static constexpr int IDC_UNIT = 1007;
    static constexpr int IDC_PRICE = 1004;
    static constexpr int IDC_TAXABLE = 1008;
    static constexpr int IDC_ONCE = 1009;
    static constexpr int IDC_COUPON = 1010;
    static constexpr int IDC_SPIN_PLACE = 1011;
    static constexpr int IDC_LOCATION = 1040;
    static constexpr int IDC_CATEGORIES = 1042;
    static constexpr int IDC_NOTE = 1017;
    static constexpr int IDC_SPIN = 101;

    static constexpr const TCHAR* kNone = u"<none>";

    // purchase: the line to edit (null: a new line). The document must outlive the
    // dialog.
    CAddItemDialog(CListoraDoc* doc, Purchase* purchase, CWnd* parent = nullptr);
    ~CAddItemDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // After OK: the purchase written and whether it is new. A new purchase stays the
    // dialog's until TakeNewPurchase hands it over.
    Purchase* GetResult() const { return m_pResult; }
    bool IsResultNew() const { return m_bResultNew; }
    std::unique_ptr<Purchase> TakeNewPurchase() { return std::move(m_pNewPurchase); }

    // The categories chosen for the purchase (null until first needed).
    const rep::string_list* GetSelectedCategories() const { return m_pSelectedCategories.get(); }
    float GetSpinValue() const { return m_fSpinValue; }
    CSpinButtonCtrl* GetSpin() const;

    // Fills the fields for the item name (typed or chosen).
    void FillFromName(const CString& name);
    // One press of the up-down control (+1 or -1).
    void OnSpin(int delta);
    // The category picker (button 1042).
    void OnSelectCategories();

    // The control table of resource 189.
    static void RegisterTemplate();

private:
    void OnQuantityTyped();
    // Fields taken from a line of the list or a catalogue item.
    void ShowRecord(const Item& record, const Purchase* purchase);
    void ShowDefaults();
    void ShowQuantity(float qty);
    void ShowPrice(float price);
    // Selects the entry equal to text (none: kNone); a text the list lacks is shown as
    // it is. False when it is not in the list.
    bool SelectInCombo(int id, const TCHAR* text);
    void EnableDependentControls(bool enable);
    void SetSelectedCategories(const rep::vector<TCHAR*>& categories);
    rep::string_list& SelectedCategories();
    bool FillCombos();
    void ConnectControls();
    // Writes the fields into purchase; false (after a trace line) when a number
    // cannot be read, in which case that number is left as it was.
    bool WritePurchase(Purchase& purchase);

    CListoraDoc* m_pDoc;
    Purchase* m_pPurchase;
    bool m_bEditing;

    // Exchanged values.
    CString m_strNote;
    CString m_strPrice;
    CString m_strQty;
    CString m_strUnit;
    int m_nCoupon = 0;
    int m_nOnce = 0;
    int m_nTaxable = 0;
    CString m_strLocation;

    CFloatEdit m_qtyEdit;
    QPointer<CSpinButtonCtrl> m_pSpin;
    rep::vector<Item*> m_sortedItems;
    // What the fields were last filled from (a purchase or a catalogue item).
    const Item* m_pSource = nullptr;
    float m_fSpinValue = 1.0f;
    std::unique_ptr<rep::string_list> m_pSelectedCategories;
    CString m_lastFilledName;

    Purchase* m_pResult = nullptr;
    bool m_bResultNew = false;
    std::unique_ptr<Purchase> m_pNewPurchase;
};
