#include "ListFile.h"

#include "ListTestSupport.h"
#include "TestRoot.h"

#include "System/IO/BinaryReader.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/FileStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

class ListFileTest : public ::testing::Test {
protected:
    std::u16string Path(const std::string& name) const { return HostPath(root.file(name)); }

    static Purchase* Milk() {
        return Make({.name = u"Milk", .qty = 2.0f, .price = 1.5f, .unit = u"l", .categories = {u"Food"}, .taxable = true});
    }

    TestRoot root;
    TraceLines trace;
    ListFile file;
};

// A text as the file holds it: a 16-bit count of UTF-16 units, then the units.
std::string FileText(const std::u16string& text) {
    const auto count = static_cast<std::uint16_t>(text.size());
    std::string bytes{static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
    return bytes + Utf16Bytes(text);
}

std::u16string Numbered(std::u16string text, int number) {
    for (const char digit : std::to_string(number))
        text += static_cast<char16_t>(digit);
    return text;
}

// A long list as another writer might make it: texts with a NUL inside, texts of the
// longest length, many categories. Records cross the reader's window at every kind of
// place.
std::string VariedList(int count) {
    std::string bytes = HexBytes("00 00 00 00");
    std::memcpy(bytes.data(), &count, 4);
    const std::u16string longest(32767, u'x');
    for (int i = 0; i < count; ++i) {
        std::u16string name = Numbered(u"Item ", i);
        if (i % 50 == 0)
            name += std::u16string(u"\0after the NUL", 15);
        bytes += FileText(i % 501 == 7 ? longest : name) + FileText(i % 3 ? u"kg" : u"") +
                 FileText(i % 5 ? u"" : u"ripe") + FileText(i % 2 ? u"walmart" : u"");
        bytes += HexBytes("00 00 80 3F, 00 00 20 40") + std::string{char(i % 2), char(i % 3 == 0), 0, char(i % 7)};
        const std::uint32_t categories = static_cast<std::uint32_t>(i % 4 + (i % 97 == 3 ? 40 : 0));
        bytes.append(reinterpret_cast<const char*>(&categories), 4);
        for (std::uint32_t c = 0; c < categories; ++c)
            bytes += FileText(c == 1 && i % 97 == 3 ? longest : Numbered(u"Category ", static_cast<int>(c)));
    }
    return bytes;
}

const std::string kMilkRecord =
    "04 00 4D 00 69 00 6C 00 6B 00, 01 00 6C 00, 00 00, 00 00, 00 00 00 40, 00 00 C0 3F,"
    " 00, 00, 01, 00, 01 00 00 00, 04 00 46 00 6F 00 6F 00 64 00";

}  // namespace

TEST_F(ListFileTest, BytesAreExact) {
    Purchases list;
    ASSERT_TRUE(file.Write(Path("empty.lsr").c_str(), list));
    EXPECT_EQ(ReadHostFile(root.file("empty.lsr")), std::string(4, '\0'));

    list.push_back(Milk());
    ASSERT_TRUE(file.Write(Path("milk.lsr").c_str(), list));
    EXPECT_EQ(ReadHostFile(root.file("milk.lsr")), HexBytes("01 00 00 00") + HexBytes(kMilkRecord));
}

TEST_F(ListFileTest, RoundTripKeepsEveryFieldAndReadAppends) {
    Purchases list;
    list.push_back(Milk());
    rep::string_list categories;
    Fill(categories, {u"Fruits", u"", u"Kitchen Items"});
    auto* full = new Purchase(u"");
    full->Set(u"Äpfel \\ Birnen", u"kg", u"ripe ones", u"sam's club", 0.25f, 3.99f, true, false, true,
              true, categories);
    list.push_back(full);
    auto* emptyNote = new Purchase(u"Tea");
    emptyNote->SetNote(u"");
    list.push_back(emptyNote);

    ASSERT_TRUE(file.Write(Path("round.lsr").c_str(), list));
    Purchases back;
    back.push_back(new Purchase(u"Already there"));
    ASSERT_TRUE(file.Read(Path("round.lsr").c_str(), back));
    ASSERT_EQ(back.size(), 4u);

    const Purchase& b = *back[2];
    EXPECT_EQ(b.Name(), u"Äpfel \\ Birnen");
    EXPECT_TRUE(b.Equals(*full));  // unit, location, price, tax flag and categories, the empty one too
    EXPECT_EQ(Text(b.GetNote()), u"ripe ones");
    EXPECT_EQ(b.GetQty(), 0.25f);
    EXPECT_TRUE(b.HasCoupon() && b.IsOnce() && b.IsPurchased());

    // No note and an empty note are both written with count 0 and read back as an
    // empty note; no location stays no location.
    EXPECT_EQ(Text(back[1]->GetNote()), u"");
    EXPECT_EQ(Text(back[3]->GetNote()), u"");
    EXPECT_EQ(back[1]->GetLocation(), nullptr);
    EXPECT_TRUE(back[1]->Equals(*list[0]));
}

TEST_F(ListFileTest, KindComesFromTheNameEnding) {
    const std::pair<const TCHAR*, DWORD> kinds[] = {
        {u"\\My Documents\\a.lsr", ListFile::KindBinary}, {u"SHOPPING.LSR", ListFile::KindBinary},
        {u"nodotlsr", ListFile::KindBinary}, {u"list.obls", ListFile::KindText},
        {u"init.ISL", ListFile::KindText}, {u"export.csv", ListFile::KindText}};
    for (const auto& [name, kind] : kinds) {
        EXPECT_TRUE(file.GetKind(name)) << ToUtf8(name);
        EXPECT_EQ(file.GetKindValue(), kind) << ToUtf8(name);
    }
    // "obls" is compared with its case; anything else is refused and keeps the kind.
    EXPECT_FALSE(file.GetKind(u"list.OBLS"));
    EXPECT_FALSE(file.GetKind(u"notes.txt"));
    EXPECT_FALSE(file.GetKind(u"ls"));
    EXPECT_FALSE(file.GetKind(nullptr));
    EXPECT_EQ(file.GetKindValue(), ListFile::KindText);
    EXPECT_TRUE(trace.Has(u"Unsupported file type - 'list.OBLS'"));
}

TEST_F(ListFileTest, ReadTextKeepsTheByteOrderMark) {
    WriteHostFile(root.file("a.isl"), Utf16Bytes(u"\uFEFFab,c"));
    ASSERT_TRUE(file.ReadText(Path("a.isl").c_str()));
    EXPECT_EQ(Text(file.GetText()), u"\uFEFFab,c");

    // An odd last byte is dropped.
    WriteHostFile(root.file("odd.isl"), Utf16Bytes(u"xy") + "z");
    ASSERT_TRUE(file.ReadText(Path("odd.isl").c_str()));
    EXPECT_EQ(Text(file.GetText()), u"xy");

    WriteHostFile(root.file("empty.isl"), "");
    EXPECT_FALSE(file.ReadText(Path("empty.isl").c_str()));
    EXPECT_EQ(file.GetText(), nullptr);
    EXPECT_TRUE(trace.Has(u"Error while read from file '" + Path("empty.isl") + u"'"));

    EXPECT_FALSE(file.ReadText(Path("missing.isl").c_str()));
}

TEST_F(ListFileTest, LoadResultForEachFailure) {
    Purchases purchases;
    Items items;
    rep::string_list locations;
    EXPECT_EQ(file.Load(Path("notes.txt").c_str(), purchases, items, locations), LR_UNSUPPORTED);
    EXPECT_EQ(file.Load(Path("missing.lsr").c_str(), purchases, items, locations), LR_CANNOT_OPEN);
    EXPECT_TRUE(trace.Has(u"Error while opening file '" + Path("missing.lsr") + u"'"));

    WriteHostFile(root.file("short.lsr"), HexBytes("01 00 00 00 04 00 4D 00"));
    EXPECT_EQ(file.Load(Path("short.lsr").c_str(), purchases, items, locations), LR_CANNOT_OPEN);

    const std::u16string header = u"\"Name\",\"Unit\",Qty,Price,Coupon,Purchased,+*(XX)+\r\n";
    WriteHostFile(root.file("bad.CSV"), Utf16Bytes(header + u"\"Tea\",\"pkg\",one,1,0,0,+*(  )+\r\n"));
    EXPECT_EQ(file.Load(Path("bad.CSV").c_str(), purchases, items, locations), LR_QTY);

    WriteHostFile(root.file("good.obls"),
                  Utf16Bytes(header + u"\"Tea\",\"pkg\",2,1.5,1,0,+*(WA)+Drinks\r\n"));
    Fill(locations, {u"walmart"});
    EXPECT_EQ(file.Load(Path("good.obls").c_str(), purchases, items, locations), LR_OK);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(Text(items[0]->GetLocation()), u"walmart");
    EXPECT_EQ(purchases.size(), 1u);

    WriteHostFile(root.file("two.lsr"), std::string(4, '\0'));
    EXPECT_EQ(file.Load(Path("two.lsr").c_str(), purchases, items, locations), LR_OK);
    EXPECT_EQ(file.GetText(), nullptr);  // a binary load drops the old text
}

TEST_F(ListFileTest, DamagedFileKeepsTheRecordsBeforeTheDamage) {
    const std::string record = HexBytes(kMilkRecord);
    // Three records announced, two and a half present.
    WriteHostFile(root.file("cut.lsr"), HexBytes("03 00 00 00") + record + record + record.substr(0, 17));
    Purchases back;
    EXPECT_FALSE(file.Read(Path("cut.lsr").c_str(), back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1]->Name(), u"Milk");

    // A count far beyond what the file holds is read until the data ends.
    WriteHostFile(root.file("count.lsr"), HexBytes("FF FF FF FF") + record);
    rep::delete_objects<Purchase>(back);
    EXPECT_FALSE(file.Read(Path("count.lsr").c_str(), back));
    EXPECT_EQ(back.size(), 1u);

    // A huge category count or a negative string count fails the record cleanly.
    std::string hugeCategories = record;
    hugeCategories.replace(record.size() - 14, 4, HexBytes("FF FF FF 7F"));
    WriteHostFile(root.file("cats.lsr"), HexBytes("01 00 00 00") + hugeCategories);
    Purchases none;
    EXPECT_FALSE(file.Read(Path("cats.lsr").c_str(), none));
    EXPECT_TRUE(none.empty());

    WriteHostFile(root.file("negative.lsr"), HexBytes("01 00 00 00 FF FF 41 00"));
    EXPECT_FALSE(file.Read(Path("negative.lsr").c_str(), none));
    EXPECT_TRUE(none.empty());

    WriteHostFile(root.file("nothing.lsr"), HexBytes("01 00"));
    EXPECT_FALSE(file.Read(Path("nothing.lsr").c_str(), none));
}

// A load takes the file apart in a window of its own; callers with a stream read it
// through a BinaryReader. Both must read the same lines, whole or cut anywhere.
TEST_F(ListFileTest, ALongListReadsAsTheStreamReaderReadsIt) {
    const std::string bytes = VariedList(3000);
    auto readBoth = [&](const std::string& content, Purchases& windowed, Purchases& streamed) {
        WriteHostFile(root.file("long.lsr"), content);
        const bool ok = file.Read(Path("long.lsr").c_str(), windowed);
        IO::FileStream stream;
        EXPECT_EQ(stream.Init(Path("long.lsr").c_str(), IO::FileMode::Open, IO::FileAccess::Read),
                  IO::OpenResult::Opened);
        IO::BufferedStream buffer(&stream, 4096);
        IO::BinaryReader reader(buffer);
        EXPECT_EQ(ListFile::ReadList(reader, streamed, static_cast<DWORD>(content.size())), ok);
        stream.Close();
        return ok;
    };
    auto saved = [&](const Purchases& list) {
        EXPECT_TRUE(file.Write(Path("saved.lsr").c_str(), list));
        return ReadHostFile(root.file("saved.lsr"));
    };

    Purchases windowed, streamed;
    ASSERT_TRUE(readBoth(bytes, windowed, streamed));
    ASSERT_EQ(windowed.size(), 3000u);
    EXPECT_EQ(saved(windowed), saved(streamed));
    EXPECT_EQ(windowed[0]->Name(), u"Item 0");  // a text ends at its first NUL
    EXPECT_EQ(windowed[7]->Name().size(), 32767u);
    EXPECT_EQ(windowed[3]->GetCategories().size(), 43u);
    EXPECT_EQ(std::u16string_view(windowed[3]->GetCategories()[1]).size(), 32767u);
    EXPECT_EQ(Text(windowed[2]->GetLocation()), u"(null)");
    EXPECT_EQ(Text(windowed[5]->GetNote()), u"ripe");
    EXPECT_TRUE(windowed[13]->IsPurchased() && windowed[13]->HasCoupon() && !windowed[13]->IsTaxable());

    for (const std::size_t cut : {bytes.size() / 3 + 1, bytes.size() / 2, bytes.size() - 3}) {
        SCOPED_TRACE(cut);
        Purchases cutWindowed, cutStreamed;
        EXPECT_FALSE(readBoth(bytes.substr(0, cut), cutWindowed, cutStreamed));
        EXPECT_EQ(cutWindowed.size(), cutStreamed.size());
        EXPECT_EQ(saved(cutWindowed), saved(cutStreamed));
    }
}

TEST_F(ListFileTest, AnyFlagByteOtherThanZeroReadsAsSet) {
    std::string record = HexBytes(kMilkRecord);
    record[26] = '\x07';  // coupon
    WriteHostFile(root.file("flags.lsr"), HexBytes("01 00 00 00") + record);
    Purchases back;
    ASSERT_TRUE(file.Read(Path("flags.lsr").c_str(), back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(back[0]->HasCoupon());
    EXPECT_FALSE(back[0]->IsOnce());
    EXPECT_TRUE(back[0]->IsTaxable());
}
