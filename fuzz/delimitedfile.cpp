// Delimited files and the row parser over arbitrary bytes. The first three bytes choose
// the character type, the delimiter, a seed template's columns and the flag and price
// formats; the rest is the file. Checked:
// - the rows are the lines the framework's line reader gives, each split as SplitLine
//   splits it (the file reader does its own line reading for speed);
// - no field holds a quote, a line break or a NUL;
// - a row yields a purchase exactly when its name cell is not empty, and that purchase
//   written as a line and read back has the same texts and flags.
#include "CDelimitedFile.h"
#include "ImportExportEngine.h"
#include "MemoryStream.h"
#include "MemoryWriteStream.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/TextReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The seed templates' columns.
constexpr int kLayouts[4][CImportExportTemplate::columnCount] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    {1, 0, 2, 6, 4, 15, 3, 9, 7, 5},
    {2, 0, 3, 4, 15, 15, 6, 5, 15, 1},
    {1, 0, 2, 15, 15, 3, 15, 15, 15, 15},
};
constexpr TCHAR kDelimiters[4] = {u',', u'\t', u';', u' '};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::u16string Texts(const Purchase& purchase) {
    std::u16string all = std::u16string(purchase.Name()) + u'|' + std::u16string(purchase.Unit()) + u'|';
    all += purchase.HasLocation() ? std::u16string(purchase.GetLocation()) : u"(none)";
    all += u'|';
    all += purchase.HasNote() ? std::u16string(purchase.GetNote()) : u"(none)";
    for (const TCHAR* category : purchase.GetCategories())
        all += u'|' + std::u16string(category);
    all += purchase.HasCoupon() ? u"C" : u"c";
    all += purchase.IsPurchased() ? u"P" : u"p";
    all += purchase.IsTaxable() ? u"T" : u"t";
    return all;
}

// The rows as the line reader and SplitLine make them.
void CompareWithLineReader(const CDelimitedFile& file, const std::uint8_t* data, std::size_t size, TCHAR delimiter,
                           int charType) {
    const std::size_t skip = charType == CDelimitedFile::CHAR_UNICODE_MARKED ? std::min<std::size_t>(2, size) : 0;
    MemoryStream stream(data + skip, size - skip);
    IO::TextReader reader(stream);
    const unsigned max = static_cast<unsigned>(size + 1);  // no line is ever cut
    std::vector<TCHAR> line(max + 1);
    std::vector<CDelimitedFile::Field> fields;
    int row = 0;
    for (bool more = true; more; ++row) {
        more = charType == CDelimitedFile::CHAR_ANSI ? reader.ReadString(line.data(), max)
                                                       : reader.ReadWString(line.data(), max);
        fields.clear();
        CDelimitedFile::SplitLine(std::u16string_view(line.data()), delimiter, fields);
        Check(row < file.rowCount && file.GetFieldCount(row) == static_cast<int>(fields.size()));
        for (std::size_t i = 0; i < fields.size(); ++i)
            Check(file.Cell(static_cast<int>(i), row) == fields[i].text &&
                  file.IsQuoted(static_cast<int>(i), row) == fields[i].quoted);
    }
    Check(row == file.rowCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const int charType = data[0] & 3;
    const TCHAR delimiter = kDelimiters[data[1] & 3];
    CImportExportTemplate exchange(u"Fuzz", kLayouts[(data[1] >> 2) & 3], delimiter, data[1] & 0x10 ? u';' : u',',
                                   true);
    exchange.boolFormat = data[2] % 3;
    exchange.priceType = data[2] / 3 % 3;
    exchange.charType = charType;
    data += 3;
    size -= 3;

    MemoryStream stream(data, size);
    CDelimitedFile file;
    file.Read(stream, delimiter, charType);
    Check(file.rowCount >= 1);
    CompareWithLineReader(file, data, size, delimiter, charType);

    const ImportExportEngine engine(exchange, FindCurrency(u"Germany"));
    std::vector<std::u16string> cells;
    std::vector<std::u16string_view> views;
    for (int row = 0; row < file.rowCount; ++row) {
        for (int column = 0; column < file.GetFieldCount(row); ++column)
            for (const char16_t c : file.Cell(column, row))
                Check(c != u'"' && c != u'\r' && c != u'\n' && c != 0);
        const std::unique_ptr<Purchase> purchase = engine.RowToPurchase(file, row);
        Check((purchase != nullptr) == !file.Cell(exchange.columns[CImportExportTemplate::NAME], row).empty());
        if (!purchase)
            continue;
        Check(!purchase->IsOnce() && (!purchase->HasLocation() || *purchase->GetLocation() != 0));

        engine.PurchaseToCells(*purchase, cells);
        views.assign(cells.begin(), cells.end());
        MemoryWriteStream sink;
        IO::BinaryWriter writer(sink);
        Check(CDelimitedFile::WriteLine(writer, views.data(), static_cast<int>(views.size()), delimiter, charType));
        MemoryStream written(sink.bytes.data(), sink.bytes.size());
        CDelimitedFile again;
        again.Read(written, delimiter, charType == CDelimitedFile::CHAR_UNICODE_MARKED ? 0 : charType);
        const std::unique_ptr<Purchase> back = engine.RowToPurchase(again, 0);
        Check(back && Texts(*back) == Texts(*purchase));
    }
    return 0;
}
