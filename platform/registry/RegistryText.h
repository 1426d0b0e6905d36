// The registry store's text form: one "[HKEY_CLASSES_ROOT\key]" section a
// key with its values below it, "@" the unnamed value, sz:"..." a text and
// hex(type):.. any other data.
#pragma once

#include "platform/registry/RegistryStore.h"

#include <string>

namespace RegistryStore {

std::string StoreToText(const Store& store);
// False when the text is not a store: a malformed line, a key twice, a
// value outside a key or a key whose parent is missing.
bool TextToStore(const std::string& text, Store& store);

}  // namespace RegistryStore
