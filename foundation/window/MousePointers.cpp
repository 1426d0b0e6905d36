#include "foundation/window/MousePointers.h"

namespace ZAV {

namespace {

struct PointerSource {
    uint32_t key;
    uintptr_t cursorId;
    bool fromModule;  // false: the system cursor of that id
};

// In the order they are loaded.
constexpr PointerSource kPointers[] = {
    {32512, IDC_ARROW, false},
    {32515, IDC_CROSS, false},
    {32514, IDC_WAIT, false},
    {32645, IDC_SIZENS, false},
    {32644, IDC_SIZEWE, false},
    {32643, IDC_SIZENESW, false},
    {32642, IDC_SIZENWSE, false},
    {32646, IDC_SIZEALL, false},
    {6, 40206, true},
    {1, 40209, true},
    {2, 40208, true},
    {3, 40210, true},
    {7, IDC_CROSS, false},
    {8, 40256, true},
    {32649, 40201, true},
    {5, 40228, true},
    {9, 40255, true},
    {10, 40256, true},
    {20, 40230, true},
    {21, 40231, true},
    {22, 40232, true},
    {23, 40233, true},
    {24, 40235, true},
    {25, 40236, true},
};

}  // namespace

void CZAVMousePointers::Load()
{
    for (const PointerSource& pointer : kPointers) {
        HINSTANCE module = pointer.fromModule ? m_module : nullptr;
        m_cursors[pointer.key] = LoadCursorA(module, MAKEINTRESOURCEA(pointer.cursorId));
    }
}

HCURSOR CZAVMousePointers::Get(uint32_t key) const
{
    auto it = m_cursors.find(key);
    return it == m_cursors.end() ? nullptr : it->second;
}

}  // namespace ZAV
