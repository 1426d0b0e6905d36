#include "image/regions/LabelEquivalences.h"

namespace ZAV {

void CLabelEquivalences::Reserve(int32_t label)
{
    const size_t needed = static_cast<size_t>(label) + 1;
    if (m_parent.size() >= needed)
        return;
    size_t grown = m_parent.size() < 1024 ? 1024 : m_parent.size() * 2;
    if (grown < needed)
        grown = needed;
    const size_t first = m_parent.size();
    m_parent.resize(grown);
    m_joined.resize(grown, 0);
    for (size_t i = first; i < grown; ++i)
        m_parent[i] = static_cast<int32_t>(i);
}

int32_t CLabelEquivalences::Root(int32_t label)
{
    int32_t root = label;
    while (m_parent[static_cast<size_t>(root)] != root)
        root = m_parent[static_cast<size_t>(root)];
    // Path compression: every label on the way points at the root.
    while (m_parent[static_cast<size_t>(label)] != root) {
        const int32_t next = m_parent[static_cast<size_t>(label)];
        m_parent[static_cast<size_t>(label)] = root;
        label = next;
    }
    return root;
}

void CLabelEquivalences::Join(int32_t a, int32_t b)
{
    Reserve(a > b ? a : b);
    m_joined[static_cast<size_t>(a)] = 1;
    m_joined[static_cast<size_t>(b)] = 1;
    const int32_t rootA = Root(a);
    const int32_t rootB = Root(b);
    // The smaller label stays the root, so a group is known by its
    // smallest member.
    if (rootA < rootB)
        m_parent[static_cast<size_t>(rootB)] = rootA;
    else if (rootB < rootA)
        m_parent[static_cast<size_t>(rootA)] = rootB;
}

int32_t CLabelEquivalences::Resolve(int32_t firstFreeLabel)
{
    int32_t next = firstFreeLabel;
    m_final.assign(m_parent.size(), 0);
    for (size_t label = 0; label < m_parent.size(); ++label) {
        const int32_t id = static_cast<int32_t>(label);
        if (!m_joined[label]) {
            m_final[label] = id;
            continue;
        }
        const int32_t root = Root(id);
        // The root is the group's smallest label, so it is met first and
        // takes the group's number before any other member asks for it.
        if (root == id)
            m_final[label] = -(next++);
        else
            m_final[label] = m_final[static_cast<size_t>(root)];
    }
    return next;
}

void CLabelEquivalences::Clear()
{
    std::vector<int32_t>().swap(m_parent);
    std::vector<uint8_t>().swap(m_joined);
    std::vector<int32_t>().swap(m_final);
}

}  // namespace ZAV
