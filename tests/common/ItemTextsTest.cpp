// The shared text blocks of items and lines.
#include "ItemTexts.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using namespace std::string_view_literals;

std::u16string Numbered(int number) {
    std::u16string text = u"Line ";
    for (const char digit : std::to_string(number))
        text += static_cast<char16_t>(digit);
    return text;
}

// Line i's texts: some with a note, some with a location, a few far larger than an
// allocation of the packer.
std::u16string NameOf(int i) {
    return i % 1000 == 999 ? std::u16string(40000, u'n') : Numbered(i);
}

void Build(ItemTexts::Builder& texts, int i) {
    texts.Start(NameOf(i));
    texts.Unit(i % 2 ? u"kg" : u"");
    texts.Note(i % 3 ? std::optional(u"ripe"sv) : std::nullopt);
    texts.Location(i % 5 ? std::nullopt : std::optional(u"walmart"sv));
    for (int c = 0; c < i % 4; ++c)
        texts.AddCategory(c == 1 && i % 700 == 3 ? std::u16string(70000, u'c') : Numbered(c));
}

void ExpectLine(const ItemTexts& texts, int i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(texts.Name(), NameOf(i));
    EXPECT_EQ(texts.Unit(), i % 2 ? u"kg" : u"");
    EXPECT_EQ(Text(texts.Note()), i % 3 ? u"ripe" : u"(null)");
    EXPECT_EQ(Text(texts.Location()), i % 5 ? u"(null)" : u"walmart");
    ASSERT_EQ(texts.GetCategories().size(), static_cast<DWORD>(i % 4));
    if (i % 4 > 1) {
        EXPECT_EQ(std::u16string_view(texts.GetCategories()[1]).size(), i % 700 == 3 ? 70000u : 6u);
    }
}

}  // namespace

// Lines read together share allocations; each block lasts as long as its last copy,
// whatever the order they go in, and the packer may go first.
TEST(ItemTextsTest, PackedBlocksLastAsLongAsTheirCopies) {
    std::vector<ItemTexts> lines;
    std::vector<ItemTexts> copies;
    {
        ItemTexts::Packer packer;
        ItemTexts::Builder texts(packer);
        for (int i = 0; i < 5000; ++i) {
            Build(texts, i);
            lines.push_back(packer.Make(texts));
            if (i % 3 == 0)
                copies.push_back(lines.back());
        }
    }
    std::vector<int> order(lines.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (std::size_t k = 0; k < order.size() / 2; ++k)
        lines[static_cast<std::size_t>(order[k])] = ItemTexts();
    for (std::size_t k = order.size() / 2; k < order.size(); ++k)
        ExpectLine(lines[static_cast<std::size_t>(order[k])], order[k]);
    for (std::size_t k = 0; k < copies.size(); ++k)
        ExpectLine(copies[k], static_cast<int>(3 * k));
}
