#include "platform/Registry.h"

#include "platform/AtomicFile.h"
#include "platform/LastError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

struct HKEY__ {
    // The key's path below the root, its names joined by "\"; "" is the root.
    std::string path;
};

namespace {

HKEY__ g_classesRoot{""};

// The store is the user's own small text file; anything far larger is not one.
constexpr long kMaxStoreFileBytes = 16 * 1024 * 1024;
// Windows refuses longer key names; keeping the same bound keeps paths sane.
constexpr size_t kMaxKeyNameLength = 255;
// Deepest key chain the store accepts.
constexpr size_t kMaxKeyDepth = 64;
// Largest value the store accepts.
constexpr DWORD kMaxValueBytes = 1024 * 1024;

const char kRootName[] = "HKEY_CLASSES_ROOT";

struct Value {
    std::string name;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
};

struct Key {
    std::string path;
    std::vector<Value> values;
};

struct Store {
    // In the order keys were created; a key's parents stand before it.
    std::vector<Key> keys;
};

LONG Fail(DWORD code)
{
    SetLastError(code);
    return static_cast<LONG>(code);
}

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

// Splits a subkey text into its names; false for an empty name, a name too
// long, a control character or a chain too deep.
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

// A fresh store: the classes every desktop has.
void SeedStore(Store& store)
{
    store.keys.clear();
    store.keys.push_back(Key{"*", {}});
    store.keys.push_back(Key{"Folder", {}});
    Key pdf{".pdf", {}};
    pdf.values.push_back(Value{"", REG_SZ, {0}});
    store.keys.push_back(pdf);
}

// ---- text form ----

void AppendQuoted(std::string& out, const BYTE* data, size_t count)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; i < count; ++i) {
        const BYTE c = data[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

// A text value is written as text when it is one zero-terminated text.
bool IsPlainText(const Value& value)
{
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0)
        return false;
    return std::memchr(value.data.data(), 0, value.data.size() - 1) == nullptr;
}

std::string StoreToText(const Store& store)
{
    std::string out =
        "; ZAVPdf registry store. One [key] a section with its values below it:\n"
        "; @ is the unnamed value, sz:\"...\" a text, hex(type):.. any other data.\n";
    for (const Key& key : store.keys) {
        out += "\n[";
        out += kRootName;
        out += '\\';
        out += key.path;
        out += "]\n";
        for (const Value& value : key.values) {
            if (value.name.empty())
                out += '@';
            else
                AppendQuoted(out, reinterpret_cast<const BYTE*>(value.name.data()), value.name.size());
            out += '=';
            if (IsPlainText(value)) {
                out += "sz:";
                AppendQuoted(out, value.data.data(), value.data.size() - 1);
            } else {
                char head[32];
                std::snprintf(head, sizeof head, "hex(%u):", static_cast<unsigned>(value.type));
                out += head;
                for (size_t i = 0; i < value.data.size(); ++i) {
                    char byte[4];
                    std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", value.data[i]);
                    out += byte;
                }
            }
            out += '\n';
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text at pos; pos ends behind the closing quote.
bool ParseQuoted(const std::string& line, size_t& pos, std::string& out)
{
    out.clear();
    if (pos >= line.size() || line[pos] != '"')
        return false;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        c = line[pos];
        if (c == '"' || c == '\\') {
            out += c;
        } else if (c == 'x' && pos + 2 < line.size() && HexDigit(line[pos + 1]) >= 0 &&
                   HexDigit(line[pos + 2]) >= 0) {
            out += static_cast<char>(HexDigit(line[pos + 1]) * 16 + HexDigit(line[pos + 2]));
            pos += 2;
        } else {
            return false;
        }
    }
    return false;
}

bool ParseValueLine(const std::string& line, Value& value)
{
    size_t pos = 0;
    if (line[0] == '@') {
        value.name.clear();
        pos = 1;
    } else if (!ParseQuoted(line, pos, value.name) || value.name.empty()) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    if (line.compare(pos, 3, "sz:") == 0) {
        pos += 3;
        std::string text;
        if (!ParseQuoted(line, pos, text) || pos != line.size())
            return false;
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return value.data.size() <= kMaxValueBytes;
    }
    if (line.compare(pos, 4, "hex(") != 0)
        return false;
    pos += 4;
    unsigned long long type = 0;
    size_t digits = 0;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && digits < 10) {
        type = type * 10 + static_cast<unsigned>(line[pos++] - '0');
        ++digits;
    }
    if (!digits || type > 0xFFFFFFFFull || line.compare(pos, 2, "):") != 0)
        return false;
    pos += 2;
    value.type = static_cast<DWORD>(type);
    value.data.clear();
    while (pos < line.size()) {
        if (!value.data.empty()) {
            if (line[pos] != ',')
                return false;
            ++pos;
        }
        if (pos + 1 >= line.size() || HexDigit(line[pos]) < 0 || HexDigit(line[pos + 1]) < 0)
            return false;
        value.data.push_back(static_cast<BYTE>(HexDigit(line[pos]) * 16 + HexDigit(line[pos + 1])));
        pos += 2;
        if (value.data.size() > kMaxValueBytes)
            return false;
    }
    return true;
}

bool TextToStore(const std::string& text, Store& store)
{
    store.keys.clear();
    const std::string rootPrefix = std::string(kRootName) + "\\";
    Key* current = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.compare(1, rootPrefix.size(), rootPrefix) != 0)
                return false;
            std::string path = line.substr(1 + rootPrefix.size(), line.size() - 2 - rootPrefix.size());
            std::vector<std::string> names;
            if (path.empty() || !SplitKeyNames(path.c_str(), names) || FindKey(store, path))
                return false;
            store.keys.push_back(Key{path, {}});
            current = &store.keys.back();
            continue;
        }
        Value value;
        if (!current || !ParseValueLine(line, value) || FindValue(*current, value.name))
            return false;
        current->values.push_back(value);
    }
    // A key stands only below keys the store holds.
    for (const Key& key : store.keys) {
        size_t cut = key.path.rfind('\\');
        if (cut != std::string::npos && !FindKey(store, key.path.substr(0, cut)))
            return false;
    }
    return true;
}

// ---- the file ----

DWORD LoadStore(Store& store)
{
    const std::string path = GetRegistryStorePath();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno == ENOENT) {
            SeedStore(store);
            return ERROR_SUCCESS;
        }
        return ErrnoToLastError(errno);
    }
    std::string text;
    char buffer[65536];
    size_t got = 0;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > static_cast<size_t>(kMaxStoreFileBytes)) {
            tooLarge = true;
            break;
        }
    }
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readError)
        return ErrnoToLastError(readErrno);
    if (tooLarge || !TextToStore(text, store))
        return ERROR_BADDB;
    return ERROR_SUCCESS;
}

// Creates the folders of a path that are missing.
bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat info;
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    size_t cut = folder.rfind('/');
    if (cut != std::string::npos && cut > 0 && !MakeFolders(folder.substr(0, cut)))
        return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

DWORD SaveStore(const Store& store)
{
    const std::string path = GetRegistryStorePath();
    size_t cut = path.rfind('/');
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut);
    if (!MakeFolders(folder))
        return ErrnoToLastError(errno);

    // The store may hold what the user keeps private: only the owner reads it.
    if (const int failure = ReplaceFileAtomically(path, StoreToText(store), 0600))
        return ErrnoToLastError(failure);
    return ERROR_SUCCESS;
}

HKEY NewHandle(const std::string& path)
{
    return new HKEY__{path};
}

// Loads the store and finds the key a handle stands for; the root is found as
// null. A failure comes back already reported.
LONG OpenHandleKey(HKEY key, Store& store, Key** found)
{
    if (!key)
        return Fail(ERROR_INVALID_HANDLE);
    DWORD code = LoadStore(store);
    if (code != ERROR_SUCCESS)
        return Fail(code);
    *found = nullptr;
    if (key->path.empty())
        return ERROR_SUCCESS;
    *found = FindKey(store, key->path);
    return *found ? ERROR_SUCCESS : Fail(ERROR_KEY_DELETED);
}

// What opening, creating and deleting below a handle share: the names of the
// subkey text and the path of the handle's key in the loaded store.
LONG OpenBelowHandle(HKEY key, const char* subKey, Store& store, std::vector<std::string>& names,
                     std::string& basePath)
{
    if (!SplitKeyNames(subKey, names))
        return Fail(ERROR_INVALID_PARAMETER);
    Key* base = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &base))
        return failed;
    basePath = base ? base->path : std::string();
    return ERROR_SUCCESS;
}

LONG SaveOrFail(const Store& store)
{
    DWORD code = SaveStore(store);
    return code == ERROR_SUCCESS ? ERROR_SUCCESS : Fail(code);
}

}  // namespace

const HKEY HKEY_CLASSES_ROOT = &g_classesRoot;

std::string GetRegistryStorePath()
{
    const char* explicitPath = std::getenv("ZAVPDF_REGISTRY");
    if (explicitPath && *explicitPath)
        return explicitPath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/ZAVPdf/registry";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user && user->pw_dir ? user->pw_dir : "";
    }
    return std::string(home) + "/.config/ZAVPdf/registry";
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return Fail(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    for (const std::string& name : names) {
        Key* next = FindKey(store, JoinPath(path, name));
        if (!next)
            return Fail(ERROR_FILE_NOT_FOUND);
        path = next->path;
    }
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM, const void*, HKEY* result,
                     DWORD* disposition)
{
    if (!result)
        return Fail(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    bool created = false;
    for (const std::string& name : names) {
        Key* next = FindKey(store, JoinPath(path, name));
        if (next) {
            path = next->path;
            continue;
        }
        path = JoinPath(path, name);
        store.keys.push_back(Key{path, {}});
        created = true;
    }
    if (created) {
        if (LONG failed = SaveOrFail(store))
            return failed;
    }
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (data && !dataSize)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    Value* value = found ? FindValue(*found, valueName ? valueName : "") : nullptr;
    if (!value)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (type)
        *type = value->type;
    const DWORD size = static_cast<DWORD>(value->data.size());
    if (data) {
        if (*dataSize < size) {
            *dataSize = size;
            return Fail(ERROR_MORE_DATA);
        }
        if (size)
            std::memcpy(data, value->data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    if ((dataSize && !data) || dataSize > kMaxValueBytes)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    // The root holds no values here: nothing the program writes needs one.
    if (!found)
        return Fail(ERROR_ACCESS_DENIED);
    const std::string name = valueName ? valueName : "";
    Value* value = FindValue(*found, name);
    if (!value) {
        found->values.push_back(Value{name, type, {}});
        value = &found->values.back();
    }
    value->type = type;
    value->data.assign(data, data + dataSize);
    return SaveOrFail(store);
}

LONG RegDeleteValueA(HKEY key, const char* valueName)
{
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    Value* value = found ? FindValue(*found, valueName ? valueName : "") : nullptr;
    if (!value)
        return Fail(ERROR_FILE_NOT_FOUND);
    found->values.erase(found->values.begin() + (value - found->values.data()));
    return SaveOrFail(store);
}

LONG RegDeleteKeyA(HKEY key, const char* subKey)
{
    // The handle's own key is not deleted through an empty subkey.
    if (!subKey || !*subKey)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    for (const std::string& name : names)
        path = JoinPath(path, name);
    Key* target = FindKey(store, path);
    if (!target)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (HasSubkeys(store, target->path))
        return Fail(ERROR_ACCESS_DENIED);
    store.keys.erase(store.keys.begin() + (target - store.keys.data()));
    return SaveOrFail(store);
}

LONG RegCloseKey(HKEY key)
{
    if (!key)
        return Fail(ERROR_INVALID_HANDLE);
    if (key != HKEY_CLASSES_ROOT)
        delete key;
    return ERROR_SUCCESS;
}
