#include "platform/registry/RegistryStore.h"

#include "platform/PlatformLimits.h"

namespace RegistryStore {

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

Key* FindKey(Store& store, const std::string& path)
{
    for (Key& key : store.keys)
        if (EqualNoCase(key.path, path))
            return &key;
    return nullptr;
}

Value* FindValue(Key& key, const std::string& name)
{
    for (Value& value : key.values)
        if (EqualNoCase(value.name, name))
            return &value;
    return nullptr;
}

bool HasSubkeys(const Store& store, const std::string& path)
{
    for (const Key& key : store.keys)
        if (key.path.size() > path.size() && key.path[path.size()] == '\\' &&
            EqualNoCase(key.path.substr(0, path.size()), path))
            return true;
    return false;
}

bool SplitKeyNames(const char* subKey, std::vector<std::string>& names)
{
    names.clear();
    if (!subKey || !*subKey)
        return true;
    std::string text = subKey;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\\', start);
        std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (name.empty() || name.size() > kMaxKeyNameLength)
            return false;
        for (unsigned char c : name)
            if (c < 0x20 || c == 0x7F)
                return false;
        names.push_back(name);
        if (names.size() > kMaxKeyDepth)
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

std::string JoinPath(const std::string& base, const std::string& name)
{
    return base.empty() ? name : base + "\\" + name;
}

void SeedStore(Store& store)
{
    store.keys.clear();
    store.keys.push_back(Key{"*", {}});
    store.keys.push_back(Key{"Folder", {}});
    Key pdf{".pdf", {}};
    pdf.values.push_back(Value{"", REG_SZ, {0}});
    store.keys.push_back(pdf);
}

}  // namespace RegistryStore
