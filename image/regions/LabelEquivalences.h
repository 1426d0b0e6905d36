// The equivalences the first labelling pass finds between labels, kept as a
// union-find forest that grows with the labels, so a region that winds
// through many provisional labels resolves without recursion and no table
// is sized by the pixel count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

class CLabelEquivalences {
public:
    // Makes room for labels 1..label.
    void Reserve(int32_t label);
    void Join(int32_t a, int32_t b);
    // Gives every label joined to another one the number -n of its group,
    // n counting on from firstFreeLabel in the order of each group's
    // smallest label; labels never joined keep their own number. Returns
    // the next free label.
    int32_t Resolve(int32_t firstFreeLabel);
    // The final number of a label after Resolve.
    int32_t Final(int32_t label) const
    {
        return static_cast<size_t>(label) < m_final.size() ? m_final[static_cast<size_t>(label)] : label;
    }
    void Clear();

private:
    int32_t Root(int32_t label);

    std::vector<int32_t> m_parent;  // index = label; a root is its own parent
    std::vector<uint8_t> m_joined;  // 1 for a label that took part in a join
    std::vector<int32_t> m_final;
};

}  // namespace ZAV
