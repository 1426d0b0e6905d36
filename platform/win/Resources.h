// Resources of a module, kept in a table that a module (or a test) fills,
// since there are no resource sections in shared objects here. Cursors:
// the system ids give stable handles of their own; other ids are looked up
// in the module's table as cursor resources.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <vector>

using HCURSOR = void*;
using HRSRC = void*;
using HIMAGELIST = void*;

// Resource types, given as MAKEINTRESOURCE numbers.
constexpr uintptr_t RT_CURSOR = 1;
constexpr uintptr_t RT_BITMAP = 2;
constexpr uintptr_t RT_RCDATA = 10;

constexpr uintptr_t IDC_ARROW = 32512;
constexpr uintptr_t IDC_IBEAM = 32513;
constexpr uintptr_t IDC_WAIT = 32514;
constexpr uintptr_t IDC_CROSS = 32515;
constexpr uintptr_t IDC_SIZENWSE = 32642;
constexpr uintptr_t IDC_SIZENESW = 32643;
constexpr uintptr_t IDC_SIZEWE = 32644;
constexpr uintptr_t IDC_SIZENS = 32645;
constexpr uintptr_t IDC_SIZEALL = 32646;
constexpr uintptr_t IDC_NO = 32648;
constexpr uintptr_t IDC_HAND = 32649;

// A number standing for a resource name.
inline const char* MAKEINTRESOURCEA(uintptr_t id)
{
    return reinterpret_cast<const char*>(id);
}

// A null module with a system id gives that system cursor; a module with
// an id gives its cursor resource, null when it has none.
HCURSOR LoadCursorA(HINSTANCE module, const char* name);

HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The resource's bytes; they live as long as the module's table.
void* LockResource(HGLOBAL loaded);

// TRUE for a list handle; nothing is held behind it here.
BOOL ImageList_Destroy(HIMAGELIST list);

namespace ZAV {

// Adds (or replaces) a numbered resource of a module.
void AddModuleResource(HMODULE module, uintptr_t type, uintptr_t id, const std::vector<uint8_t>& bytes);
// Forgets every resource of the module.
void ClearModuleResources(HMODULE module);

}  // namespace ZAV
