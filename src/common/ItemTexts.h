// ItemTexts: every text of a catalogue item or a list line in one block: name, unit,
// location, note and categories. A block never changes once made. Copies share it (it
// counts them, safely across threads) and a change makes a new block, so a copy never
// sees another's changes.
//
// A list reader makes its lines' blocks side by side in larger allocations (Packer):
// a line then costs one heap block of its own, not one per text, which is what made
// opening and closing long lists slow.
#pragma once
#include "windows.h"

#include "Registry/RepVector.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace item_texts_detail {

// Copies the units before the first NUL (or all count of them) and says how many.
// Units after the NUL may be copied too, never more than count. Every text of every
// line read passes here, so it takes eight units at a time where it can.
inline std::size_t CopyBeforeNul(char16_t* to, const char16_t* from, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 8 <= count; i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), units);
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, zero));
        if (mask != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
#endif
    // Four at a time in a 64-bit word: most units, shops and notes are short.
    constexpr std::uint64_t kLow = 0x0001000100010001;
    constexpr std::uint64_t kHigh = 0x8000800080008000;
    for (; i + 4 <= count; i += 4) {
        std::uint64_t units = 0;
        std::memcpy(&units, from + i, 8);
        if (((units - kLow) & ~units & kHigh) != 0)
            break;  // a NUL among these four
        std::memcpy(to + i, &units, 8);
    }
    for (; i < count && from[i] != 0; ++i)
        to[i] = from[i];
    return i;
}

}  // namespace item_texts_detail

class ItemTexts {
    struct Chunk;
    struct Header;

public:
    // The texts a block is made from; they may point into the block being replaced.
    // Each text ends at its first NUL. An absent location or note is none.
    struct Parts {
        std::u16string_view name;
        std::u16string_view unit;
        std::optional<std::u16string_view> location;
        std::optional<std::u16string_view> note;
        // The categories in order, each followed by a NUL.
        std::u16string_view categories;
    };

    class Packer;

    // A block's texts built straight into the packer's next block, in the order they
    // are kept: the name, then the unit, the note, the location (each once, none left
    // out) and then the categories. Each text ends at its first NUL. The packer's Make
    // hands the block out; then the builder starts the next one.
    class Builder {
    public:
        explicit Builder(Packer& packer) : m_packer(&packer) {}
        Builder(const Builder&) = delete;
        Builder& operator=(const Builder&) = delete;

        void Start(std::u16string_view name);
        void Unit(std::u16string_view unit);
        void Note(std::optional<std::u16string_view> note);
        void Location(std::optional<std::u16string_view> location);
        void AddCategory(std::u16string_view category);

    private:
        friend class ItemTexts;
        void Append(std::u16string_view text);
        void Grow(std::size_t size);
        Packer* m_packer;
        // The units, in the packer's allocation.
        char16_t* m_text = nullptr;
        std::size_t m_size = 0;
        std::size_t m_capacity = 0;
        std::uint32_t m_unit = 0;
        std::uint32_t m_note = 0;
        std::uint32_t m_location = 0;
        std::uint32_t m_categories = 0;
        std::uint32_t m_categoryCount = 0;
    };

    // The categories of a block, in order; each is a NUL-terminated text.
    class Categories {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = const TCHAR*;
            using difference_type = std::ptrdiff_t;
            using pointer = const value_type*;
            using reference = value_type;

            iterator() = default;
            explicit iterator(const TCHAR* at) : m_at(at) {}
            const TCHAR* operator*() const { return m_at; }
            iterator& operator++();
            iterator operator++(int) {
                iterator before = *this;
                ++*this;
                return before;
            }
            bool operator==(const iterator& other) const { return m_at == other.m_at; }

        private:
            const TCHAR* m_at = nullptr;
        };

        Categories(const TCHAR* first, const TCHAR* end, DWORD count) : m_first(first), m_end(end), m_count(count) {}
        iterator begin() const { return iterator(m_first); }
        iterator end() const { return iterator(m_end); }
        DWORD size() const { return m_count; }
        bool empty() const { return m_count == 0; }
        // The index-th category (walks from the first; index < size()).
        const TCHAR* operator[](DWORD index) const;
        // Appends new[] copies of the texts to list.
        void CopyTo(rep::vector<TCHAR*>& list) const;
        // The texts as Parts::categories takes them.
        std::u16string_view Packed() const { return {m_first, static_cast<std::size_t>(m_end - m_first)}; }

    private:
        const TCHAR* m_first;
        const TCHAR* m_end;
        DWORD m_count;
    };

    // Makes blocks beside each other in allocations of up to 64 KiB. An allocation is
    // freed when the packer and the last block in it are gone.
    class Packer {
    public:
        Packer() = default;
        Packer(const Packer&) = delete;
        Packer& operator=(const Packer&) = delete;
        ~Packer();
        // Hands out the block this packer's builder has just built.
        ItemTexts Make(const Builder& texts);

    private:
        friend class Builder;
        // Where the next block's texts go (after its header), and how many units fit.
        char16_t* Tail(std::size_t& capacity) const;
        // Moves the next block's first units to an allocation with room for size units.
        char16_t* MoveTail(const char16_t* text, std::size_t units, std::size_t size, std::size_t& capacity);
        // A new allocation of at least bytes; Switch then packs into it instead.
        void* Allocate(std::size_t bytes);
        void Switch(void* memory);
        void Release() noexcept;
        Chunk* m_chunk = nullptr;
        // Blocks handed out of m_chunk: counted here, added to its count at the end.
        std::uint32_t m_handedOut = 0;
        std::size_t m_used = 0;
        std::size_t m_size = 0;
        std::size_t m_nextSize = 4096;
        std::size_t m_nextAllocation = 0;
    };

    // Name "", unit "", no location, no note, no categories; allocates nothing.
    ItemTexts() noexcept = default;
    ItemTexts(const ItemTexts& other) noexcept;
    ItemTexts(ItemTexts&& other) noexcept;
    ItemTexts& operator=(const ItemTexts& other) noexcept;
    ItemTexts& operator=(ItemTexts&& other) noexcept;
    ~ItemTexts();

    // A block of its own.
    static ItemTexts Make(const Parts& parts);
    // The texts of categories (null entries skipped) as Parts::categories takes them.
    static std::u16string Pack(const rep::vector<TCHAR*>& categories);

    // Never null; NUL-terminated.
    std::u16string_view Name() const;
    std::u16string_view Unit() const;
    // Null when none.
    const TCHAR* Location() const;
    const TCHAR* Note() const;
    Categories GetCategories() const;
    Parts ToParts() const;

private:
    ItemTexts(Chunk* chunk, const Header* header) noexcept : m_chunk(chunk), m_header(header) {}
    const TCHAR* Text() const;
    // Gives up count of the chunk's count, freeing it at zero.
    static void Unref(Chunk* chunk, std::uint32_t count = 1) noexcept;
    void Release() noexcept;

    Chunk* m_chunk = nullptr;
    const Header* m_header = nullptr;
};

// The builder's steps are inline: a list read takes five or six of them a line.
inline void ItemTexts::Builder::Append(std::u16string_view text) {
    if (m_size + text.size() + 1 > m_capacity)
        Grow(m_size + text.size() + 1);
    const std::size_t units = item_texts_detail::CopyBeforeNul(m_text + m_size, text.data(), text.size());
    m_text[m_size + units] = 0;
    m_size += units + 1;
}

inline void ItemTexts::Builder::Start(std::u16string_view name) {
    m_size = 0;
    m_text = m_packer->Tail(m_capacity);
    m_categoryCount = 0;
    Append(name);
}

inline void ItemTexts::Builder::Unit(std::u16string_view unit) {
    m_unit = static_cast<std::uint32_t>(m_size);
    Append(unit);
}

inline void ItemTexts::Builder::Note(std::optional<std::u16string_view> note) {
    m_note = static_cast<std::uint32_t>(m_size);
    if (note)
        Append(*note);
}

inline void ItemTexts::Builder::Location(std::optional<std::u16string_view> location) {
    m_location = static_cast<std::uint32_t>(m_size);
    if (location)
        Append(*location);
    m_categories = static_cast<std::uint32_t>(m_size);
}

inline void ItemTexts::Builder::AddCategory(std::u16string_view category) {
    Append(category);
    ++m_categoryCount;
}
