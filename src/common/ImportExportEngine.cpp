#include "ImportExportEngine.h"

#include "Options.h"
#include "SafeSave.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryWriter.h"
#include "Text/Convert.h"
#include "WideFormat.h"
#include "WideString.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

using Diagnostics::Trace;

namespace {

using Slot = CImportExportTemplate::Slot;

constexpr unsigned kExportBufferSize = 60000;
// A progress dialog gets at most this many steps, however long the work.
constexpr std::size_t kProgressSteps = 100;
// What a double quote inside a text is written as: the reader cannot carry it.
constexpr char16_t kQuoteStandIn = u'\u201D';

// Drives a progress sink over work of a known number of units.
class StepCounter {
public:
    StepCounter(ProgressSink* sink, std::size_t units) : m_sink(sink), m_units(units) {
        if (m_sink)
            m_sink->SetMaxOfInterval(static_cast<DWORD>(std::min(units, kProgressSteps)));
    }
    bool Cancelled() { return m_sink && m_sink->IsCancelPressed(); }
    // Call after each unit done.
    void Done(std::size_t done) {
        if (!m_sink)
            return;
        const std::size_t due = m_units <= kProgressSteps ? done : done * kProgressSteps / m_units;
        for (; m_steps < due; ++m_steps)
            m_sink->Step();
    }

private:
    ProgressSink* m_sink;
    std::size_t m_units;
    std::size_t m_steps = 0;
};

// Appends a text as the reader can carry it: no double quote, no line break.
void AppendWritable(std::u16string& cell, std::u16string_view text) {
    if (text.find_first_of(u"\"\r\n") == std::u16string_view::npos) {
        cell += text;
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            cell += kQuoteStandIn;
        } else if (c == u'\r' || c == u'\n') {
            cell += u' ';
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            cell += c;
        }
    }
}

// Appends a number as "%.2f" writes it.
void AppendFixed2(std::u16string& cell, double value) {
    char digits[64];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    // Only a value beyond any price fails to fit; "%.2f" prints all its digits.
    if (written.ec != std::errc()) {
        cell += Format(u"%.2f", value);
        return;
    }
    cell.append(digits, written.ptr);
}

// A number as the C runtime reads it, kept within the range of a float.
float ToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return 0.0f;
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

float ReadNumber(std::u16string_view cell, std::u16string& scratch) {
    return ToFloat(atof(scratch.assign(cell).c_str()));
}

float ReadPriceCell(std::u16string_view cell, int priceType, std::u16string& scratch) {
    if (priceType == 1) {
        // Whatever stands in front (a currency symbol) is skipped up to the first digit.
        const std::size_t digit = cell.find_first_of(u"0123456789");
        return digit == std::u16string_view::npos ? 0.0f : ReadNumber(cell.substr(digit), scratch);
    }
    // Plain, or the number in front of the currency abbreviation.
    return ReadNumber(cell, scratch);
}

// An empty category delimiter (stored as the character 0) cannot separate anything;
// such a template separates categories with commas.
TCHAR CategoryDelimiterOf(const CImportExportTemplate& exchangeTemplate) {
    return exchangeTemplate.categoryDelimiter ? exchangeTemplate.categoryDelimiter : u',';
}

}  // namespace

ImportExportEngine::ImportExportEngine(const CImportExportTemplate& exchangeTemplate, const Currency* currency)
    : m_template(exchangeTemplate), m_currency(currency) {}

bool ImportExportEngine::IsObListora(const CImportExportTemplate& exchangeTemplate) {
    return exchangeTemplate.name == kObListora;
}

const TCHAR* ImportExportEngine::BoolText(int boolFormat, bool value) {
    switch (boolFormat) {
    case 1:
        return value ? u"True" : u"False";
    case 2:
        return value ? u"Yes" : u"No";
    default:
        return value ? u"1" : u"0";
    }
}

float ImportExportEngine::ReadPrice(std::u16string_view cell, int priceType) {
    std::u16string scratch;
    return ReadPriceCell(cell, priceType, scratch);
}

const Currency* ImportExportEngine::CurrencyOf(const Options& options) {
    const TCHAR* code = options.GetCurrencyCode();
    const Currency* currency = code ? FindCurrency(code) : nullptr;
    return currency ? currency : FindCurrency(Options::kDefaultCurrency);
}

int ImportExportEngine::Column(int slot) const {
    const int column = m_template.columns[slot];
    return column >= 0 && column < kLineColumns ? column : -1;
}

void ImportExportEngine::PurchaseToCells(const Purchase& purchase, std::vector<std::u16string>& cells) const {
    // The cells keep their room from line to line.
    cells.resize(kLineColumns);
    for (std::u16string& cell : cells)
        cell.clear();
    // Every slot but the unit's holds its place in the line, filled or not.
    int last = 0;
    for (int slot = Slot::QTY; slot <= Slot::TAXABLE; ++slot)
        last = std::max(last, Column(slot));
    const TCHAR delimiter = m_template.delimiter;
    // Name, note and categories go in quotes. Every other cell goes bare, as other
    // programs expect it, unless the delimiter would split it (a blank in "$ 1.50"
    // with a blank for delimiter).
    auto put = [&](int slot, std::u16string_view text, bool writable) {
        const int column = Column(slot);
        if (column < 0)
            return;
        std::u16string& cell = cells[static_cast<std::size_t>(column)];
        const bool quoted = slot == Slot::NAME || slot == Slot::NOTE || slot == Slot::CATEGORIES;
        if (quoted)
            cell += u'"';
        if (writable)
            AppendWritable(cell, text);
        else
            cell += text;
        if (quoted) {
            cell += u'"';
        } else if (cell.find(delimiter) != std::u16string::npos) {
            cell.insert(cell.begin(), u'"');
            cell += u'"';
        }
    };
    const TCHAR symbol = m_currency ? m_currency->symbol : u' ';
    const TCHAR* abbreviation = m_currency ? m_currency->abbreviation : u"";

    std::u16string number;
    AppendFixed2(number, purchase.GetQty());
    put(Slot::QTY, number, false);
    put(Slot::NAME, purchase.Name(), true);
    // "%.2f", "%c %.2f" with the symbol or "%.2f %s" with the abbreviation.
    number.clear();
    if (m_template.priceType == 1)
        number.append({symbol, u' '});
    AppendFixed2(number, purchase.GetPrice());
    if (m_template.priceType == 2)
        number.append(u" ").append(abbreviation);
    put(Slot::PRICE, number, false);
    put(Slot::COUPON, BoolText(m_template.boolFormat, purchase.HasCoupon()), false);
    if (purchase.HasLocation())
        put(Slot::LOCATION, purchase.GetLocation(), true);
    if (purchase.HasNote())
        put(Slot::NOTE, purchase.GetNote(), true);
    const ItemTexts::Categories categories = purchase.GetCategories();
    if (!categories.empty()) {
        std::u16string joined;
        for (const TCHAR* category : categories) {
            if (category != *categories.begin())
                joined += CategoryDelimiterOf(m_template);
            AppendWritable(joined, category);
        }
        put(Slot::CATEGORIES, joined, false);
    }
    put(Slot::PURCHASED, BoolText(m_template.boolFormat, purchase.IsPurchased()), false);
    put(Slot::TAXABLE, BoolText(m_template.boolFormat, purchase.IsTaxable()), false);
    // Import reads a unit; a line carries one whenever there is one to carry.
    if (!purchase.Unit().empty() && Column(Slot::UNIT) >= 0) {
        put(Slot::UNIT, purchase.Unit(), true);
        last = std::max(last, Column(Slot::UNIT));
    }
    cells.resize(static_cast<std::size_t>(last) + 1);
}

void ImportExportEngine::SetKnownCategories(const rep::vector<TCHAR*>& categories) {
    m_joinedCategories.clear();
    const TCHAR delimiter = CategoryDelimiterOf(m_template);
    for (const TCHAR* name : categories)
        if (name && _tcschr(name, delimiter))
            m_joinedCategories.emplace_back(name);
}

void ImportExportEngine::AddCategories(std::u16string_view cell, Purchase& purchase, std::u16string& scratch) const {
    const TCHAR delimiter = CategoryDelimiterOf(m_template);
    for (std::size_t start = 0;;) {
        std::size_t end = std::min(cell.find(delimiter, start), cell.size());
        // A known name that holds the delimiter stays whole: the longest one that
        // starts here and ends where a piece ends.
        for (const std::u16string& known : m_joinedCategories) {
            const std::size_t stop = start + known.size();
            if (stop > end && stop <= cell.size() && (stop == cell.size() || cell[stop] == delimiter) &&
                EqualsNoCase(cell.substr(start, known.size()), known))
                end = stop;
        }
        // Empty pieces are no categories.
        if (end > start)
            purchase.AddCategory(scratch.assign(cell.substr(start, end - start)).c_str());
        if (end >= cell.size())
            break;
        start = end + 1;
    }
}

std::unique_ptr<Purchase> ImportExportEngine::RowToPurchase(const CDelimitedFile& file, int row) const {
    auto cell = [&](int slot) {
        const int column = Column(slot);
        return column < 0 ? std::u16string_view() : file.Cell(column, row);
    };
    const std::u16string_view name = cell(Slot::NAME);
    if (name.empty())
        return nullptr;
    // Cells are views into the file; the purchase takes terminated copies.
    std::u16string scratch(name);
    auto purchase = std::make_unique<Purchase>(scratch.c_str());
    purchase->SetOnce(false);

    const std::u16string_view location = cell(Slot::LOCATION);
    if (!location.empty())
        purchase->SetLocation(scratch.assign(location).c_str());
    purchase->SetUnit(scratch.assign(cell(Slot::UNIT)).c_str());
    // An empty note in quotes is an empty note; an empty field is none.
    const std::u16string_view note = cell(Slot::NOTE);
    if (!note.empty() || (Column(Slot::NOTE) >= 0 && file.IsQuoted(Column(Slot::NOTE), row)))
        purchase->SetNote(scratch.assign(note).c_str());
    if (Column(Slot::QTY) >= 0)
        purchase->SetQty(ReadNumber(cell(Slot::QTY), scratch));
    if (Column(Slot::PRICE) >= 0)
        purchase->SetPrice(ReadPriceCell(cell(Slot::PRICE), m_template.priceType, scratch));

    const TCHAR* trueText = BoolText(m_template.boolFormat, true);
    auto flag = [&](int slot) { return Column(slot) >= 0 && EqualsNoCase(cell(slot), trueText); };
    purchase->SetCoupon(flag(Slot::COUPON));
    purchase->SetPurchased(flag(Slot::PURCHASED));
    purchase->SetTaxable(flag(Slot::TAXABLE));

    const std::u16string_view categories = cell(Slot::CATEGORIES);
    if (!categories.empty())
        AddCategories(categories, *purchase, scratch);
    return purchase;
}

ImportExportEngine::ExportResult ImportExportEngine::Export(const rep::vector<Purchase*>& purchases,
                                                            const TCHAR* path, ProgressSink* progress) const {
    if (IsObListora(m_template))
        return EXPORT_NOT_SUPPORTED;
    bool cancelled = false;
    const SafeSave::Result saved = SafeSave::Write(path, kExportBufferSize, [&](IO::BinaryWriter& writer) {
        if (m_template.charType == CDelimitedFile::CHAR_UNICODE_MARKED) {
            static constexpr BYTE kMark[2] = {0xFF, 0xFE};
            if (writer.Write(kMark, 0, 2) != 2)
                return false;
        }
        StepCounter steps(progress, purchases.size());
        std::vector<std::u16string> cells;
        std::vector<std::u16string_view> views;
        for (DWORD i = 0; i < purchases.size(); ++i) {
            if (steps.Cancelled()) {
                cancelled = true;
                return false;
            }
            PurchaseToCells(*purchases[i], cells);
            views.assign(cells.begin(), cells.end());
            if (!CDelimitedFile::WriteLine(writer, views.data(), static_cast<int>(views.size()),
                                           m_template.delimiter, m_template.charType))
                return false;
            steps.Done(i + 1);
        }
        return true;
    });
    switch (saved) {
    case SafeSave::SAVED:
        return EXPORT_DONE;
    case SafeSave::CANNOT_CREATE:
        return EXPORT_CANNOT_CREATE;
    default:
        return cancelled ? EXPORT_CANCELLED : EXPORT_WRITE_FAILED;
    }
}

ImportExportEngine::ImportResult ImportExportEngine::Import(IImportTarget& target, const TCHAR* path,
                                                            bool replaceExisting, CString& log,
                                                            ProgressSink* progress) {
    if (IsObListora(m_template))
        return target.LoadList(path, false, false) ? IMPORT_DONE : IMPORT_LIST_NOT_LOADED;
    CDelimitedFile file;
    if (!file.Load(CString(path), CString(m_template.delimiter), m_template.charType)) {
        Trace::WriteFormattedLineT(u"error", kCannotParseFile, path ? path : u"");
        return IMPORT_CANNOT_PARSE;
    }
    return Import(target, file, replaceExisting, log, progress);
}

ImportExportEngine::ImportResult ImportExportEngine::Import(IImportTarget& target, const CDelimitedFile& file,
                                                            bool replaceExisting, CString& log,
                                                            ProgressSink* progress) {
    SetKnownCategories(target.GetCategories());
    target.BeginImport();
    StepCounter steps(progress, static_cast<std::size_t>(std::max(file.rowCount, 0)));
    ImportResult result = IMPORT_DONE;
    for (int row = 0; row < file.rowCount; ++row) {
        if (steps.Cancelled()) {
            result = IMPORT_CANCELLED;
            break;
        }
        std::unique_ptr<Purchase> purchase = RowToPurchase(file, row);
        if (!purchase) {
            CString line;
            line.Format(kLineSkipped, row);
            log += line;
            steps.Done(static_cast<std::size_t>(row) + 1);
            continue;
        }
        if (purchase->HasLocation())
            target.AddLocation(purchase->GetLocation());
        if (!purchase->Unit().empty())
            target.AddUnit(purchase->GetUnit());
        for (const TCHAR* category : purchase->GetCategories())
            target.AddCategory(category);
        // Refused when the catalogue has the name already: then it stays ours to free.
        auto item = std::make_unique<Item>(*purchase);
        if (target.AddCatalogueItem(item.get(), false))
            item.release();

        if (Purchase* existing = target.FindPurchase(purchase->GetName())) {
            if (replaceExisting) {
                target.RemovePurchase(existing);
                target.AddPurchase(purchase.release());
            }
        } else {
            target.AddPurchase(purchase.release());
        }
        steps.Done(static_cast<std::size_t>(row) + 1);
    }
    target.EndImport();
    return result;
}
