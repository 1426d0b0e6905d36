// The registry store in memory: keys by their path below HKEY_CLASSES_ROOT,
// each with its values. Names compare ignoring case and keep the case they
// were created with.
#pragma once

#include "platform/registry/Registry.h"

#include <string>
#include <vector>

namespace RegistryStore {

struct Value {
    std::string name;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

struct Key {
    // Its names joined by "\"; "" would be the root, which is not kept as a key.
    std::string path;
    std::vector<Value> values;
};

struct Store {
    // In the order keys were created; a key's parents stand before it.
    std::vector<Key> keys;
};

bool EqualNoCase(const std::string& a, const std::string& b);
Key* FindKey(Store& store, const std::string& path);
Value* FindValue(Key& key, const std::string& name);
bool HasSubkeys(const Store& store, const std::string& path);

// Splits a subkey text into its names; false for an empty name, a name too
// long, a control character or a chain too deep.
bool SplitKeyNames(const char* subKey, std::vector<std::string>& names);
std::string JoinPath(const std::string& base, const std::string& name);

// A fresh store: the classes every desktop has.
void SeedStore(Store& store);

}  // namespace RegistryStore
