// CZAVMousePointers: the cursors of the library's interactive callers by
// key: system cursors and cursors of the resource module.
#pragma once

#include <cstdint>
#include <cstddef>
#include <map>

#include "platform/win/Resources.h"

namespace ZAV {

class CZAVMousePointers {
public:
    explicit CZAVMousePointers(HINSTANCE module = nullptr) : m_module(module) {}

    void SetModule(HINSTANCE module) { m_module = module; }
    HINSTANCE GetModule() const { return m_module; }
    // Puts every key of the table in, replacing the cursor of a key already
    // there; a module without the resource cursor gives a null handle, kept
    // as it is.
    void Load();
    // Null for a key not in the table.
    HCURSOR Get(uint32_t key) const;
    size_t GetCount() const { return m_cursors.size(); }

private:
    std::map<uint32_t, HCURSOR> m_cursors;
    HINSTANCE m_module;
};

}  // namespace ZAV
