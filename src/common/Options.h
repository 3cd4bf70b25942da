// Options: the program's user settings, one process-wide set. Each value is stored
// under its own name directly in the application key of the catalogue store. Load
// repairs missing and out-of-range values with their defaults and then writes the
// whole set back, so the store is complete after the first start.
#pragma once
#include "windows.h"

#include "ColumnKind.h"
#include "ColumnNibbles.h"
#include "Registry/AppOptions.h"
#include "Registry/RepVector.h"

#include <optional>
#include <string>

// The mail template settings: kept, repaired and saved, read by nobody else.
struct MailSettings {
    static constexpr int maxBoolFormat = 2;
    static constexpr int maxPriceType = 2;

    int columns[kPackedColumnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    int boolFormat = 2;
    int priceType = 0;
    std::u16string body;
    std::u16string subject;
};

class Options : public AppOptions {
public:
    // Valid ranges and defaults of the stored values.
    static constexpr DWORD kMinFontSize = 10, kMaxFontSize = 20, kDefaultFontSize = 15;
    static constexpr DWORD kMinTile = 161, kMaxTile = 170, kDefaultTile = 162;
    static constexpr DWORD kMaxTaxRateInt = 99;
    static constexpr float kMaxTaxRate = 99.0f, kDefaultTaxRate = 10.0f;
    static constexpr DWORD kMaxSortColumn = kColumnKindCount - 1, kDefaultSortColumn = KindName;
    static constexpr DWORD kMaxSortDirection = 1;
    static constexpr DWORD kDefaultConnectionTimeout = 1000;
    static constexpr DWORD kMinColumns = 1, kAllColumns = (1u << kColumnKindCount) - 1;
    static constexpr DWORD kMinMatchAction = 1, kMaxMatchAction = 2, kDefaultMatchAction = 1;
    static constexpr const TCHAR* kDefaultFontName = u"Tahoma";
    static constexpr const TCHAR* kDefaultCurrency = u"United States";
    static constexpr COLORREF kDefaultColorQty = 0xFFFFFF, kDefaultColorName = 0xF5DFD6,
                              kDefaultColorPrice = 0x32FF32, kDefaultColorLocation = 0x41A6FF,
                              kDefaultColorNote = 0xFFFFFF;

    // Before Load: no texts, no favourites, tax rates 0, the mail columns 0 to 9 and
    // the other values at their defaults.
    Options();
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
    ~Options() override;

    // Reads every value; a missing or invalid one takes its default and marks the set
    // for repair, and a repaired set is saved at once. An older single tax rate
    // ("uTaxRate" not 0) becomes rate 1 and is converted by that save. The result is
    // the save's when one was needed, else true.
    bool Load(AppRegistry& registry) override;
    // Writes every value ("uTaxRate" always 0); goes on after a failed write and gives
    // true only when all writes succeeded.
    bool Save(AppRegistry& registry) override;
    // Save from the Options dialog: tells the user when the store cannot be opened.
    bool SaveOptions(AppRegistry& registry);

    // Appends the code unless a favourite equals it ignoring case (then false).
    bool AddFavoriteCurrency(const TCHAR* code);
    // Removes every favourite equal to the code ignoring case.
    void RemoveFavoriteCurrency(const TCHAR* code);
    const rep::vector<TCHAR*>& GetFavoriteCurrencies() const { return m_favorites; }

    // Set by Load when a value had to be repaired, cleared when the repair was saved.
    bool NeedsRepair() const { return m_repair; }
    // Marked when a change should reach the store; a successful Save clears it.
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed = true) { m_changed = changed; }

    DWORD GetFontSize() const { return m_fontSize; }
    void SetFontSize(DWORD size) { m_fontSize = size; }
    DWORD GetTileNumber() const { return m_tileNumber; }
    void SetTileNumber(DWORD tile) { m_tileNumber = tile; }
    bool GetSupportOB() const { return m_supportOB; }
    void SetSupportOB(bool support) { m_supportOB = support; }

    float GetTaxRate1() const { return m_taxRate1; }
    float GetTaxRate2() const { return m_taxRate2; }
    float GetTaxRate3() const { return m_taxRate3; }
    void SetTaxRate1(float rate) { m_taxRate1 = rate; }
    void SetTaxRate2(float rate) { m_taxRate2 = rate; }
    void SetTaxRate3(float rate) { m_taxRate3 = rate; }
    void SetTaxRates(float rate1, float rate2, float rate3);
    // rate1 + rate2 + rate3.
    float GetTotalTaxRate() const { return m_taxRate1 + m_taxRate2 + m_taxRate3; }

    DWORD GetSortColumn() const { return m_sortColumn; }
    void SetSortColumn(DWORD column) { m_sortColumn = column; }
    DWORD GetSortDirection() const { return m_sortDirection; }
    void SetSortDirection(DWORD direction) { m_sortDirection = direction; }

    // Texts: null when the set has none. Setters copy; null clears.
    const TCHAR* GetLastMail() const { return TextOf(m_lastMail); }
    void SetLastMail(const TCHAR* text) { Assign(m_lastMail, text); }
    const TCHAR* GetLastFile() const { return TextOf(m_lastFile); }
    void SetLastFile(const TCHAR* path) { Assign(m_lastFile, path); }
    const TCHAR* GetFontName() const { return TextOf(m_fontName); }
    void SetFontName(const TCHAR* name) { Assign(m_fontName, name); }
    const TCHAR* GetCurrencyCode() const { return TextOf(m_currencyCode); }
    void SetCurrencyCode(const TCHAR* code) { Assign(m_currencyCode, code); }
    const TCHAR* GetImportExportFile() const { return TextOf(m_importExportFile); }
    void SetImportExportFile(const TCHAR* path) { Assign(m_importExportFile, path); }
    const TCHAR* GetImportExportConfig() const { return TextOf(m_importExportConfig); }
    void SetImportExportConfig(const TCHAR* name) { Assign(m_importExportConfig, name); }

    bool GetOnDevice() const { return m_onDevice; }
    void SetOnDevice(bool onDevice) { m_onDevice = onDevice; }
    DWORD GetConnectionTimeout() const { return m_connectionTimeout; }
    void SetConnectionTimeout(DWORD milliseconds) { m_connectionTimeout = milliseconds; }
    bool GetConnectToDevice() const { return m_connectToDevice; }
    void SetConnectToDevice(bool connect) { m_connectToDevice = connect; }

    // Bit n set: column kind n is shown (0 quantity, 1 name, 2 price, 3 coupon,
    // 4 location, 5 note).
    DWORD GetDisplayedColumns() const { return m_displayedColumns; }
    void SetDisplayedColumns(DWORD columns) { m_displayedColumns = columns; }

    DWORD GetMatchActionOB() const { return m_matchActionOB; }
    void SetMatchActionOB(DWORD action) { m_matchActionOB = action; }
    DWORD GetMatchActionTamra() const { return m_matchActionTamra; }
    void SetMatchActionTamra(DWORD action) { m_matchActionTamra = action; }
    DWORD GetMatchActionTamraOB() const { return m_matchActionTamraOB; }
    void SetMatchActionTamraOB(DWORD action) { m_matchActionTamraOB = action; }
    // The match action of a merge mode: 0 "MatchActionOB", 1 "MatchActionTamra",
    // 2 "MatchActionTamraOB"; any other mode gives 0 (keep the items in memory).
    DWORD GetMatchAction(int mode) const;

    bool GetDrawZevav() const { return m_drawZevav; }
    void SetDrawZevav(bool draw) { m_drawZevav = draw; }

    const MailSettings& GetMail() const { return m_mail; }
    MailSettings& GetMail() { return m_mail; }

    COLORREF GetColorQty() const { return m_colorQty; }
    void SetColorQty(COLORREF color) { m_colorQty = color; }
    COLORREF GetColorName() const { return m_colorName; }
    void SetColorName(COLORREF color) { m_colorName = color; }
    COLORREF GetColorPrice() const { return m_colorPrice; }
    void SetColorPrice(COLORREF color) { m_colorPrice = color; }
    COLORREF GetColorLocation() const { return m_colorLocation; }
    void SetColorLocation(COLORREF color) { m_colorLocation = color; }
    COLORREF GetColorNote() const { return m_colorNote; }
    void SetColorNote(COLORREF color) { m_colorNote = color; }

    bool GetAutosave() const { return m_autosave; }
    void SetAutosave(bool autosave) { m_autosave = autosave; }
    bool GetNotifyWhenReach() const { return m_notifyWhenReach; }
    void SetNotifyWhenReach(bool notify) { m_notifyWhenReach = notify; }
    DWORD GetNotifyWhenReachSum() const { return m_notifyWhenReachSum; }
    void SetNotifyWhenReachSum(DWORD sum) { m_notifyWhenReachSum = sum; }
    bool GetDrawTotal() const { return m_drawTotal; }
    void SetDrawTotal(bool draw) { m_drawTotal = draw; }

private:
    using Text = std::optional<std::u16string>;
    static const TCHAR* TextOf(const Text& text) { return text ? text->c_str() : nullptr; }
    static void Assign(Text& text, const TCHAR* value) {
        if (value)
            text.emplace(value);
        else
            text.reset();
    }
    void ResetFavorites();
    void LoadMail(AppRegistry& registry);
    bool SaveMail(AppRegistry& registry);

    DWORD m_fontSize = kDefaultFontSize;
    DWORD m_tileNumber = kDefaultTile;
    bool m_supportOB = true;
    float m_taxRate1 = 0;
    float m_taxRate2 = 0;
    float m_taxRate3 = 0;
    DWORD m_sortColumn = kDefaultSortColumn;
    DWORD m_sortDirection = 0;
    Text m_lastMail;
    Text m_lastFile;
    bool m_onDevice = false;
    Text m_fontName;
    DWORD m_connectionTimeout = kDefaultConnectionTimeout;
    bool m_connectToDevice = true;
    DWORD m_displayedColumns = kAllColumns;
    DWORD m_matchActionOB = kDefaultMatchAction;
    DWORD m_matchActionTamra = kDefaultMatchAction;
    DWORD m_matchActionTamraOB = kDefaultMatchAction;
    bool m_drawZevav = false;
    Text m_currencyCode;
    rep::string_list m_favorites;
    Text m_importExportFile;
    Text m_importExportConfig;
    MailSettings m_mail;
    COLORREF m_colorQty = kDefaultColorQty;
    COLORREF m_colorName = kDefaultColorName;
    COLORREF m_colorPrice = kDefaultColorPrice;
    COLORREF m_colorLocation = kDefaultColorLocation;
    COLORREF m_colorNote = kDefaultColorNote;
    bool m_autosave = true;
    bool m_notifyWhenReach = false;
    DWORD m_notifyWhenReachSum = 0;
    bool m_drawTotal = true;

    bool m_repair = false;
    bool m_changed = false;
};

// The program's one option set.
Options& TheOptions();
