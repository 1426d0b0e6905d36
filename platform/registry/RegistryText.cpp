#include "platform/registry/RegistryText.h"

#include "platform/PlatformLimits.h"

#include <cstdio>
#include <cstring>

namespace RegistryStore {

namespace {

const char kRootName[] = "HKEY_CLASSES_ROOT";

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
        } else if (c == 'x' && pos + 2 < line.size() && HexDigit(line[pos + 1]) >= 0 && HexDigit(line[pos + 2]) >= 0) {
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

}  // namespace

std::string StoreToText(const Store& store)
{
    std::string out = "; ZAVPdf registry store. One [key] a section with its values below it:\n"
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

}  // namespace RegistryStore
