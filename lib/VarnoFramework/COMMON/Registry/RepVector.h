// rep::vector: the framework's growable array of pointers. It starts with room for 10
// and grows by at least 10; large lists grow by half their size, so filling a list of
// any length costs time in proportion to its length. It never owns what it points to: whoever fills it with new[] texts
// or new objects frees them (delete_arrays / delete_objects, or a string_list, which
// frees its texts itself).
#pragma once
#include "windows.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace rep {

template <typename T>
class vector {
    static_assert(std::is_pointer_v<T>, "rep::vector holds pointers");

public:
    static constexpr DWORD initialCapacity = 10;
    static constexpr DWORD growth = 10;

    // The room is taken at the first entry: most lists of an item (its categories) stay
    // empty or short, and a catalogue holds thousands of items.
    vector() : m_data(nullptr), m_count(0), m_capacity(initialCapacity) {}
    vector(const vector& other)
        : m_data(other.m_count ? new T[other.m_capacity]() : nullptr),
          m_count(other.m_count),
          m_capacity(other.m_capacity) {
        std::copy(other.m_data, other.m_data + other.m_count, m_data);
    }
    vector(vector&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)),
          m_count(std::exchange(other.m_count, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)) {}
    vector& operator=(vector other) noexcept {
        swap(other);
        return *this;
    }
    virtual ~vector() { delete[] m_data; }

    void swap(vector& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_count, other.m_count);
        std::swap(m_capacity, other.m_capacity);
    }

    DWORD size() const { return m_count; }
    DWORD capacity() const { return m_capacity; }
    bool empty() const { return m_count == 0; }

    T& operator[](DWORD index) { return m_data[index]; }
    const T& operator[](DWORD index) const { return m_data[index]; }
    T& front() { return m_data[0]; }
    T& back() { return m_data[m_count - 1]; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_count; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_count; }

    // Room for at least capacity entries, so a known number of appends moves nothing.
    void reserve(DWORD capacity) {
        if (capacity > m_capacity || (!m_data && capacity > 0))
            Reallocate(std::max(capacity, m_capacity));
    }

    void push_back(T value) {
        if (m_count == m_capacity || !m_data)
            Grow();
        m_data[m_count++] = value;
    }
    // An index past the end appends.
    void insert(DWORD index, T value) {
        if (index > m_count)
            index = m_count;
        if (m_count == m_capacity || !m_data)
            Grow();
        std::move_backward(m_data + index, m_data + m_count, m_data + m_count + 1);
        m_data[index] = value;
        ++m_count;
    }
    // Removes the entry (not what it points to); an index past the end is ignored.
    void erase(DWORD index) {
        if (index >= m_count)
            return;
        std::move(m_data + index + 1, m_data + m_count, m_data + index);
        --m_count;
    }
    void pop_back() {
        if (m_count > 0)
            --m_count;
    }
    // The 0-based position of the first entry equal to value, or -1.
    int indexOf(T value) const {
        for (DWORD i = 0; i < m_count; ++i)
            if (m_data[i] == value)
                return static_cast<int>(i);
        return -1;
    }
    // Forgets every entry; the capacity stays.
    void clear() { m_count = 0; }

private:
    void Grow() {
        Reallocate(m_data ? m_capacity + std::max<DWORD>(growth, m_capacity / 2) : std::max(m_capacity, initialCapacity));
    }

    void Reallocate(DWORD capacity) {
        T* larger = new T[capacity]();
        std::copy(m_data, m_data + m_count, larger);
        delete[] m_data;
        m_data = larger;
        m_capacity = capacity;
    }

    T* m_data;
    DWORD m_count;
    DWORD m_capacity;
};

// Frees every element of a list of new[] arrays (texts) and empties it.
template <typename T>
void delete_arrays(vector<T*>& list) {
    for (T* element : list)
        delete[] element;
    list.clear();
}

// Frees every element of a list of new objects and empties it.
template <typename T>
void delete_objects(vector<T*>& list) {
    for (T* element : list)
        delete element;
    list.clear();
}

// A list of new[] texts that frees them when it is cleared with clear_and_free or
// destroyed. Pass it wherever a rep::vector<TCHAR*> is filled.
class string_list : public vector<TCHAR*> {
public:
    string_list() = default;
    string_list(const string_list&) = delete;
    string_list& operator=(const string_list&) = delete;
    ~string_list() override { delete_arrays(*this); }

    void clear_and_free() { delete_arrays(*this); }
};

}  // namespace rep
