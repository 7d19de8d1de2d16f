#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace andor {

// An array of plain elements that grows with realloc. A vector grows by copying into a block
// twice its size, so for a moment the process holds both; a large block comes from the system,
// which moves its pages to a larger place instead, and a long search's largest arrays then
// never hold two copies of themselves.
template <typename T> class GrowingArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GrowingArray() = default;
    ~GrowingArray() { std::free(m_data); }

    GrowingArray(GrowingArray&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0))
    {
    }

    GrowingArray& operator=(GrowingArray&& other) noexcept
    {
        GrowingArray gone(std::move(*this));
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        return *this;
    }

    GrowingArray(const GrowingArray&) = delete;
    GrowingArray& operator=(const GrowingArray&) = delete;

    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }

    void reserve(std::size_t count)
    {
        if (count > m_capacity)
            reallocate(count);
    }

    // New elements are value-initialized.
    void resize(std::size_t count)
    {
        if (count > m_capacity)
            reallocate(std::max(count, 2 * m_capacity));
        for (std::size_t i = m_size; i < count; ++i)
            m_data[i] = T{};
        m_size = count;
    }

    void push_back(const T& element)
    {
        const T copy = element; // it may lie in the block that moves
        if (m_size == m_capacity)
            reallocate(m_capacity == 0 ? 16 : 2 * m_capacity);
        m_data[m_size++] = copy;
    }

private:
    void reallocate(std::size_t count)
    {
        void* block = std::realloc(m_data, count * sizeof(T));
        if (!block)
            throw std::bad_alloc();
        m_data = static_cast<T*>(block);
        m_capacity = count;
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace andor
