#include "ItemTexts.h"

#include "Text/Util.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>


// An allocation holding one or more blocks; it counts the texts (and the packer) that
// use it.
struct ItemTexts::Chunk {
    explicit Chunk(std::uint32_t count) : refs(count) {}
    std::atomic<std::uint32_t> refs;
};

// A block: where each text starts, in UTF-16 units after the header (the name at 0),
// in the order of a list file's record. Each text ends in a NUL; an absent note or
// location takes no units at all.
struct ItemTexts::Header {
    std::uint32_t unit;
    std::uint32_t note;
    std::uint32_t location;
    std::uint32_t categories;
    std::uint32_t end;
    std::uint32_t categoryCount;
};

namespace {

constexpr std::size_t kChunkHead = 8;
constexpr std::size_t kLargestPackedChunk = 64 << 10;
// Far beyond any real item; keeps every offset within 32 bits.
constexpr std::size_t kMostUnits = 0x3fffffff;
// A packer's hold on its allocation, large enough that the blocks it hands out and
// their copies, released early, never bring the count to zero while it still packs.
constexpr std::uint32_t kPackerHold = 1u << 30;

std::u16string_view Cut(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

char16_t* Put(char16_t* at, std::u16string_view text) {
    if (!text.empty())
        std::memcpy(at, text.data(), 2 * text.size());
    at[text.size()] = 0;
    return at + text.size() + 1;
}

std::size_t BlockBytes(std::size_t units) {
    return (sizeof(std::uint32_t) * 6 + 2 * units + 3) & ~std::size_t{3};
}

}  // namespace

void ItemTexts::Builder::Grow(std::size_t size) {
    if (size > kMostUnits)
        throw std::bad_alloc();
    m_text = m_packer->MoveTail(m_text, m_size, size, m_capacity);
}

ItemTexts::Categories::iterator& ItemTexts::Categories::iterator::operator++() {
    m_at += std::char_traits<char16_t>::length(m_at) + 1;
    return *this;
}

const TCHAR* ItemTexts::Categories::operator[](DWORD index) const {
    iterator it = begin();
    while (index-- > 0)
        ++it;
    return *it;
}

void ItemTexts::Categories::CopyTo(rep::vector<TCHAR*>& list) const {
    for (const TCHAR* category : *this)
        list.push_back(Util::tcsdup(category));
}

ItemTexts::ItemTexts(const ItemTexts& other) noexcept : m_chunk(other.m_chunk), m_header(other.m_header) {
    if (m_chunk)
        m_chunk->refs.fetch_add(1, std::memory_order_relaxed);
}

ItemTexts::ItemTexts(ItemTexts&& other) noexcept : m_chunk(other.m_chunk), m_header(other.m_header) {
    other.m_chunk = nullptr;
    other.m_header = nullptr;
}

ItemTexts& ItemTexts::operator=(const ItemTexts& other) noexcept {
    if (other.m_chunk)
        other.m_chunk->refs.fetch_add(1, std::memory_order_relaxed);
    Release();
    m_chunk = other.m_chunk;
    m_header = other.m_header;
    return *this;
}

ItemTexts& ItemTexts::operator=(ItemTexts&& other) noexcept {
    if (this != &other) {
        Release();
        m_chunk = other.m_chunk;
        m_header = other.m_header;
        other.m_chunk = nullptr;
        other.m_header = nullptr;
    }
    return *this;
}

ItemTexts::~ItemTexts() {
    Release();
}

void ItemTexts::Unref(Chunk* chunk, std::uint32_t count) noexcept {
    if (chunk && chunk->refs.fetch_sub(count, std::memory_order_acq_rel) == count) {
        chunk->~Chunk();
        ::operator delete(chunk);
    }
}

void ItemTexts::Release() noexcept {
    Unref(m_chunk);
    m_chunk = nullptr;
    m_header = nullptr;
}

ItemTexts ItemTexts::Make(const Parts& parts) {
    // Written straight into a block of the exact size: every change of an item's text
    // comes here.
    const std::u16string_view name = Cut(parts.name);
    const std::u16string_view unit = Cut(parts.unit);
    const std::optional<std::u16string_view> note = parts.note ? std::optional(Cut(*parts.note)) : std::nullopt;
    const std::optional<std::u16string_view> location =
        parts.location ? std::optional(Cut(*parts.location)) : std::nullopt;
    const std::u16string_view categories = parts.categories;
    const std::size_t units = name.size() + 1 + unit.size() + 1 + (note ? note->size() + 1 : 0) +
                              (location ? location->size() + 1 : 0) + categories.size();
    if (units > kMostUnits)
        throw std::bad_alloc();
    void* memory = ::operator new(kChunkHead + BlockBytes(units));
    auto* header = reinterpret_cast<Header*>(static_cast<char*>(memory) + kChunkHead);
    char16_t* const text = reinterpret_cast<char16_t*>(header + 1);
    char16_t* next = Put(text, name);
    header->unit = static_cast<std::uint32_t>(next - text);
    next = Put(next, unit);
    header->note = static_cast<std::uint32_t>(next - text);
    if (note)
        next = Put(next, *note);
    header->location = static_cast<std::uint32_t>(next - text);
    if (location)
        next = Put(next, *location);
    header->categories = static_cast<std::uint32_t>(next - text);
    if (!categories.empty())
        std::memcpy(next, categories.data(), 2 * categories.size());
    next += categories.size();
    header->end = static_cast<std::uint32_t>(next - text);
    header->categoryCount = static_cast<std::uint32_t>(std::count(categories.begin(), categories.end(), u'\0'));
    return ItemTexts(new (memory) Chunk(1), header);
}

ItemTexts::Packer::~Packer() {
    Release();
}

void ItemTexts::Packer::Release() noexcept {
    Unref(m_chunk, kPackerHold - m_handedOut);
    m_chunk = nullptr;
}

char16_t* ItemTexts::Packer::Tail(std::size_t& capacity) const {
    const std::size_t head = m_used + sizeof(Header);
    if (!m_chunk || m_size < head + 2) {
        capacity = 0;
        return nullptr;
    }
    capacity = (m_size - head) / 2;
    return reinterpret_cast<char16_t*>(reinterpret_cast<char*>(m_chunk) + head);
}

char16_t* ItemTexts::Packer::MoveTail(const char16_t* text, std::size_t units, std::size_t size,
                                      std::size_t& capacity) {
    // The units built so far stay behind in the old allocation, unused. Room for twice
    // the units asked for: a block that outgrows its room may go on growing.
    void* memory = Allocate(kChunkHead + BlockBytes(2 * size));
    char16_t* moved = reinterpret_cast<char16_t*>(static_cast<char*>(memory) + kChunkHead + sizeof(Header));
    if (units > 0)
        std::memcpy(moved, text, 2 * units);
    Switch(memory);
    return Tail(capacity);
}

void* ItemTexts::Packer::Allocate(std::size_t bytes) {
    m_nextAllocation = std::max(m_nextSize, bytes);
    return ::operator new(m_nextAllocation);
}

void ItemTexts::Packer::Switch(void* memory) {
    Release();
    m_chunk = new (memory) Chunk(kPackerHold);
    m_handedOut = 0;
    m_used = kChunkHead;
    m_size = m_nextAllocation;
    m_nextSize = std::min(m_nextSize * 2, kLargestPackedChunk);
}

ItemTexts ItemTexts::Packer::Make(const Builder& texts) {
    // The texts lie in place after room for the header; the block always fits (its
    // room and every size here are whole multiples of four bytes).
    auto* header = reinterpret_cast<Header*>(reinterpret_cast<char*>(m_chunk) + m_used);
    header->unit = texts.m_unit;
    header->note = texts.m_note;
    header->location = texts.m_location;
    header->categories = texts.m_categories;
    header->end = static_cast<std::uint32_t>(texts.m_size);
    header->categoryCount = texts.m_categoryCount;
    m_used += BlockBytes(texts.m_size);
    ++m_handedOut;
    return ItemTexts(m_chunk, header);
}

std::u16string ItemTexts::Pack(const rep::vector<TCHAR*>& categories) {
    std::u16string packed;
    for (const TCHAR* category : categories)
        if (category) {
            packed += category;
            packed += u'\0';
        }
    return packed;
}

const TCHAR* ItemTexts::Text() const {
    return reinterpret_cast<const char16_t*>(m_header + 1);
}

std::u16string_view ItemTexts::Name() const {
    if (!m_header)
        return u"";
    return {Text(), m_header->unit - 1};
}

std::u16string_view ItemTexts::Unit() const {
    if (!m_header)
        return u"";
    return {Text() + m_header->unit, m_header->note - m_header->unit - 1};
}

const TCHAR* ItemTexts::Note() const {
    return m_header && m_header->location > m_header->note ? Text() + m_header->note : nullptr;
}

const TCHAR* ItemTexts::Location() const {
    return m_header && m_header->categories > m_header->location ? Text() + m_header->location : nullptr;
}

ItemTexts::Categories ItemTexts::GetCategories() const {
    if (!m_header)
        return Categories(nullptr, nullptr, 0);
    return Categories(Text() + m_header->categories, Text() + m_header->end, m_header->categoryCount);
}

ItemTexts::Parts ItemTexts::ToParts() const {
    Parts parts{Name(), Unit(), std::nullopt, std::nullopt, GetCategories().Packed()};
    if (const TCHAR* note = Note())
        parts.note = std::u16string_view(note, m_header->location - m_header->note - 1);
    if (const TCHAR* location = Location())
        parts.location = std::u16string_view(location, m_header->categories - m_header->location - 1);
    return parts;
}
