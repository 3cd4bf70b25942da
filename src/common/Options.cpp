#include "Options.h"

#include "CatalogueStrings.h"
#include "NameList.h"
#include "Registry/AppRegistry.h"
#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <memory>

using Diagnostics::Trace;

namespace {

const TCHAR* const kSourceFile = u"" __FILE__;

const TCHAR* const kDefaultFavorites[] = {u"United States", u"British Pound", u"Canadian Dollar", u"Japanese Yen"};

// Reads one value after another and remembers whether any of them had to fall back to
// its default. With no key open every value takes its default.
class Reader {
public:
    explicit Reader(AppRegistry& registry) : m_registry(registry), m_open(registry.GetKey() != nullptr) {}

    bool repaired() const { return m_repaired; }

    void Number(const TCHAR* name, DWORD& value, DWORD min, DWORD max, DWORD def) {
        unsigned int stored = def;
        Note(m_open && m_registry.Get(name, stored, min, max, def));
        value = m_open ? stored : def;
    }
    void Number(const TCHAR* name, DWORD& value, DWORD def) {
        unsigned int stored = def;
        Note(m_open && m_registry.Get(name, stored, def));
        value = m_open ? stored : def;
    }
    void Flag(const TCHAR* name, bool& value, bool def) {
        bool stored = def;
        Note(m_open && m_registry.Get(name, stored, def));
        value = m_open ? stored : def;
    }
    void Rate(const TCHAR* name, float& value, float max, float def) {
        float stored = def;
        Note(m_open && m_registry.Get(name, stored, 0.0f, max, def));
        value = m_open ? stored : def;
    }
    // def null: the text has no default and stays absent.
    void Text(const TCHAR* name, std::optional<std::u16string>& value, const TCHAR* def) {
        TCHAR* raw = nullptr;
        Note(m_open && m_registry.Get(name, raw));
        const std::unique_ptr<TCHAR[]> stored(raw);
        if (stored)
            value.emplace(stored.get());
        else if (def)
            value.emplace(def);
        else
            value.reset();
    }
    bool List(const TCHAR* name, rep::vector<TCHAR*>& list) { return m_open && m_registry.Get(name, list); }

private:
    void Note(bool ok) {
        if (!ok)
            m_repaired = true;
    }

    AppRegistry& m_registry;
    const bool m_open;
    bool m_repaired = false;
};

}  // namespace

Options::Options() = default;

Options::~Options() = default;

void Options::SetTaxRates(float rate1, float rate2, float rate3) {
    m_taxRate1 = rate1;
    m_taxRate2 = rate2;
    m_taxRate3 = rate3;
}

DWORD Options::GetMatchAction(int mode) const {
    switch (mode) {
    case 0: return m_matchActionOB;
    case 1: return m_matchActionTamra;
    case 2: return m_matchActionTamraOB;
    default: return 0;
    }
}

void Options::ResetFavorites() {
    m_favorites.clear_and_free();
    for (const TCHAR* code : kDefaultFavorites)
        m_favorites.push_back(Util::tcsdup(code));
}

bool Options::AddFavoriteCurrency(const TCHAR* code) {
    if (!code || ListContains(m_favorites, code))
        return false;
    m_favorites.push_back(Util::tcsdup(code));
    m_changed = true;
    return true;
}

void Options::RemoveFavoriteCurrency(const TCHAR* code) {
    if (!code)
        return;
    for (DWORD i = m_favorites.size(); i-- > 0;) {
        if (_tcsicmp(m_favorites[i], code) == 0) {
            delete[] m_favorites[i];
            m_favorites.erase(i);
        }
    }
}

bool Options::Load(AppRegistry& registry) {
    Reader read(registry);
    read.Number(u"FontSize", m_fontSize, kMinFontSize, kMaxFontSize, kDefaultFontSize);
    read.Number(u"TileNumber", m_tileNumber, kMinTile, kMaxTile, kDefaultTile);
    read.Flag(u"bSupportOB", m_supportOB, true);

    DWORD oldRate = 0;
    read.Number(u"uTaxRate", oldRate, 0, kMaxTaxRateInt, 0);
    bool converted = false;
    if (oldRate != 0) {
        // An older version kept one whole-number rate: it becomes rate 1, and the save
        // below writes it back as a float rate with "uTaxRate" 0.
        SetTaxRates(static_cast<float>(oldRate), 0.0f, 0.0f);
        converted = true;
    } else {
        read.Rate(u"fTaxRate1", m_taxRate1, kMaxTaxRate, kDefaultTaxRate);
        read.Rate(u"fTaxRate2", m_taxRate2, kMaxTaxRate, kDefaultTaxRate);
        read.Rate(u"fTaxRate3", m_taxRate3, kMaxTaxRate, kDefaultTaxRate);
    }

    read.Number(u"uSortColumn", m_sortColumn, 0, kMaxSortColumn, kDefaultSortColumn);
    read.Number(u"uSortDirection", m_sortDirection, 0, kMaxSortDirection, 0);
    read.Text(u"LastMail", m_lastMail, nullptr);
    read.Text(u"LastFile", m_lastFile, nullptr);
    read.Flag(u"bOnDevice", m_onDevice, false);
    read.Text(u"FontName", m_fontName, kDefaultFontName);
    read.Number(u"ConnectionTimeout", m_connectionTimeout, kDefaultConnectionTimeout);
    read.Flag(u"bConnectToDevice", m_connectToDevice, true);
    read.Number(u"DisplayedColumns", m_displayedColumns, kMinColumns, kAllColumns, kAllColumns);
    read.Number(u"MatchActionOB", m_matchActionOB, kMinMatchAction, kMaxMatchAction, kDefaultMatchAction);
    read.Number(u"MatchActionTamra", m_matchActionTamra, kMinMatchAction, kMaxMatchAction, kDefaultMatchAction);
    read.Number(u"MatchActionTamraOB", m_matchActionTamraOB, kMinMatchAction, kMaxMatchAction,
                kDefaultMatchAction);
    read.Flag(u"DrawZevav", m_drawZevav, false);
    read.Text(u"CurrencyCode", m_currencyCode, kDefaultCurrency);

    m_favorites.clear_and_free();
    read.List(u"FavoritesCurrencyCodes", m_favorites);
    bool favoritesRepaired = false;
    if (m_favorites.empty()) {
        ResetFavorites();
        favoritesRepaired = true;
    }

    read.Text(u"ImportExportFile", m_importExportFile, nullptr);
    read.Text(u"ImportExportConfig", m_importExportConfig, nullptr);
    LoadMail(registry);
    read.Number(u"ColorQTY", m_colorQty, kDefaultColorQty);
    read.Number(u"ColorName", m_colorName, kDefaultColorName);
    read.Number(u"ColorPrice", m_colorPrice, kDefaultColorPrice);
    read.Number(u"ColorLocation", m_colorLocation, kDefaultColorLocation);
    read.Number(u"ColorNote", m_colorNote, kDefaultColorNote);
    read.Flag(u"Autosave", m_autosave, true);
    read.Flag(u"NotifyWhenReach", m_notifyWhenReach, false);
    read.Number(u"NotifyWhenReachSum", m_notifyWhenReachSum, 0);
    read.Flag(u"bDrawTotal", m_drawTotal, true);

    m_repair = read.repaired() || converted || favoritesRepaired;
    if (!m_repair)
        return true;
    const bool saved = Save(registry);
    if (saved)
        m_repair = false;
    return saved;
}

void Options::LoadMail(AppRegistry& registry) {
    // Mail values fall back quietly: they never mark the set for repair.
    m_mail = MailSettings();
    if (!registry.GetKey())
        return;
    unsigned int low = 0;
    unsigned int high = 0;
    // Both halves or neither: half a set of columns would mix two templates.
    if (registry.Get(u"mailcolumns1", low) && registry.Get(u"mailcolumns2", high))
        UnpackColumns(low, high, m_mail.columns);
    unsigned int code = 0;
    if (registry.Get(u"mailbool", code))
        m_mail.boolFormat = code <= MailSettings::maxBoolFormat ? static_cast<int>(code) : 2;
    if (registry.Get(u"mailpriceType", code))
        m_mail.priceType = code <= MailSettings::maxPriceType ? static_cast<int>(code) : 0;
    TCHAR* raw = nullptr;
    if (registry.Get(u"mailbody", raw) && raw)
        m_mail.body = raw;
    delete[] raw;
    raw = nullptr;
    if (registry.Get(u"mailsubject", raw) && raw)
        m_mail.subject = raw;
    delete[] raw;
}

bool Options::SaveMail(AppRegistry& registry) {
    DWORD low = 0;
    DWORD high = 0;
    PackColumns(m_mail.columns, low, high);
    if (!registry.Set(u"mailcolumns1", static_cast<unsigned int>(low))) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail columns1!");
        return false;
    }
    if (!registry.Set(u"mailcolumns2", static_cast<unsigned int>(high))) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail columns2!");
        return false;
    }
    if (!registry.Set(u"mailbool", m_mail.boolFormat)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail bool type!");
        return false;
    }
    if (!registry.Set(u"mailpriceType", m_mail.priceType)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail price type!");
        return false;
    }
    if (!registry.Set(u"mailbody", m_mail.body.c_str())) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail body!");
        return false;
    }
    if (!registry.Set(u"mailsubject", m_mail.subject.c_str())) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create mail subject!");
        return false;
    }
    return true;
}

bool Options::Save(AppRegistry& registry) {
    if (!registry.GetKey()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Reg key is null", kSourceFile, __LINE__);
        return false;
    }
    bool ok = true;
    auto number = [&](const TCHAR* name, DWORD value) { ok = registry.Set(name, static_cast<unsigned int>(value)) && ok; };
    auto flag = [&](const TCHAR* name, bool value) { ok = registry.Set(name, value) && ok; };
    auto rate = [&](const TCHAR* name, float value) { ok = registry.Set(name, value) && ok; };
    auto text = [&](const TCHAR* name, const TCHAR* value) { ok = registry.Set(name, value) && ok; };

    number(u"FontSize", m_fontSize);
    number(u"TileNumber", m_tileNumber);
    flag(u"bSupportOB", m_supportOB);
    number(u"uTaxRate", 0);
    rate(u"fTaxRate1", m_taxRate1);
    rate(u"fTaxRate2", m_taxRate2);
    rate(u"fTaxRate3", m_taxRate3);
    number(u"uSortColumn", m_sortColumn);
    number(u"uSortDirection", m_sortDirection);
    text(u"FontName", GetFontName());
    text(u"CurrencyCode", GetCurrencyCode());
    ok = registry.Set(u"FavoritesCurrencyCodes", m_favorites) && ok;
    text(u"LastMail", GetLastMail());
    text(u"LastFile", GetLastFile());
    text(u"ImportExportFile", GetImportExportFile());
    text(u"ImportExportConfig", GetImportExportConfig());
    flag(u"bOnDevice", m_onDevice);
    number(u"ConnectionTimeout", m_connectionTimeout);
    flag(u"bConnectToDevice", m_connectToDevice);
    number(u"MatchActionOB", m_matchActionOB);
    number(u"MatchActionTamra", m_matchActionTamra);
    number(u"MatchActionTamraOB", m_matchActionTamraOB);
    flag(u"DrawZevav", m_drawZevav);
    number(u"DisplayedColumns", m_displayedColumns);
    ok = SaveMail(registry) && ok;
    number(u"ColorQTY", m_colorQty);
    number(u"ColorName", m_colorName);
    number(u"ColorPrice", m_colorPrice);
    number(u"ColorLocation", m_colorLocation);
    number(u"ColorNote", m_colorNote);
    flag(u"Autosave", m_autosave);
    flag(u"NotifyWhenReach", m_notifyWhenReach);
    number(u"NotifyWhenReachSum", m_notifyWhenReachSum);
    flag(u"bDrawTotal", m_drawTotal);
    if (ok)
        m_changed = false;
    return ok;
}

bool Options::SaveOptions(AppRegistry& registry) {
    if (!registry.init()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot init registry!", kSourceFile, __LINE__);
        MessageBoxW(nullptr, CatalogueText(IDS_CANNOT_UPDATE_REGISTRY), kMessageCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return Save(registry);
}

Options& TheOptions() {
    static Options options;
    return options;
}
