// TDListe: a doubly linked list with a current position. Add first makes the
// tail current, then appends behind it, so the new node is not current; the
// Move operations walk the list.
#pragma once

#include <cstdint>

namespace ZAV {

template <class T>
struct DElement {
    DElement* next;
    DElement* previous;
    T data;
};

template <class T, class E>
class TDListeBase {
public:
    TDListeBase() : m_head(nullptr), m_tail(nullptr), m_current(nullptr), m_count(0), m_index(0) {}
    TDListeBase(const TDListeBase&) = delete;
    TDListeBase& operator=(const TDListeBase&) = delete;
    virtual ~TDListeBase() { RemoveAll(); }

    // Comparisons of two elements, for lists that order their contents.
    virtual bool IsLess(const T& first, const T& second) const = 0;
    virtual bool IsLessOrEqual(const T& first, const T& second) const = 0;
    virtual bool IsGreater(const T& first, const T& second) const = 0;
    virtual bool IsGreaterOrEqual(const T& first, const T& second) const = 0;
    virtual bool IsEqual(const T& first, const T& second) const = 0;
    virtual bool IsNotEqual(const T& first, const T& second) const = 0;

    int32_t GetCount() const { return m_count; }
    E* GetHead() const { return m_head; }
    E* GetTail() const { return m_tail; }
    E* GetCurrentNode() const { return m_current; }

    bool MoveFirst()
    {
        if (m_head == nullptr)
            return false;
        m_current = m_head;
        m_index = 1;
        return true;
    }

    bool MoveLast()
    {
        if (m_tail == nullptr)
            return false;
        m_current = m_tail;
        m_index = m_count;
        return true;
    }

    bool MoveNext()
    {
        if (m_current == nullptr || m_current->next == nullptr)
            return false;
        m_current = m_current->next;
        ++m_index;
        return true;
    }

    // The current node's data; null when there is no current node.
    T* GetCurrent() const { return m_current != nullptr ? &m_current->data : nullptr; }

    // The node must belong to this list. Its position is not known without a
    // walk, and nothing reads it, so the index is left as it was.
    void SetCurrent(E* node) { m_current = node; }

    bool Add(const T& value)
    {
        E* node = new E{nullptr, nullptr, value};
        if (!MoveLast()) {
            m_head = m_tail = m_current = node;
            m_count = 1;
            m_index = 1;
            return true;
        }
        node->next = m_current->next;
        if (node->next != nullptr)
            node->next->previous = node;
        else
            m_tail = node;
        m_current->next = node;
        node->previous = m_current;
        ++m_count;
        return true;
    }

    void RemoveAll()
    {
        E* node = m_head;
        while (node != nullptr) {
            E* next = node->next;
            delete node;
            node = next;
        }
        m_head = m_tail = m_current = nullptr;
        m_count = 0;
        m_index = 0;
    }

private:
    E* m_head;
    E* m_tail;
    E* m_current;
    int32_t m_count;
    int32_t m_index;  // 1-based position of the current node
};

// A list whose elements compare as values.
template <class T>
class TDListe : public TDListeBase<T, DElement<T>> {
public:
    bool IsLess(const T& first, const T& second) const override { return first < second; }
    bool IsLessOrEqual(const T& first, const T& second) const override { return first <= second; }
    bool IsGreater(const T& first, const T& second) const override { return first > second; }
    bool IsGreaterOrEqual(const T& first, const T& second) const override { return first >= second; }
    bool IsEqual(const T& first, const T& second) const override { return first == second; }
    bool IsNotEqual(const T& first, const T& second) const override { return first != second; }
};

}  // namespace ZAV
