// Callbacks for the codec tests: an allocator that counts and can fail, a
// message collector, and byte vectors as source and target.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "jbig2codec/kvd_jb2.h"

namespace JB2Test {

struct Allocator {
    uint64_t allocations = 0;
    uint64_t frees = 0;
    uint64_t largest = 0;  // largest single request
    uint64_t failAt = 0;   // the n-th allocation (from 1) fails; 0 never
    uint64_t limit = 0;    // requests above this fail; 0 no limit

    uint64_t Live() const { return allocations - frees; }

    static void* Alloc(uint32_t size, void* user)
    {
        auto* self = static_cast<Allocator*>(user);
        if (size > self->largest)
            self->largest = size;
        if (self->failAt && self->allocations + 1 == self->failAt)
            return nullptr;
        if (self->limit && size > self->limit)
            return nullptr;
        void* block = std::malloc(size);
        if (block)
            ++self->allocations;
        return block;
    }

    static JB2_Error Free(void* pointer, void* user)
    {
        ++static_cast<Allocator*>(user)->frees;
        std::free(pointer);
        return 0;
    }
};

struct Messages {
    std::vector<std::pair<int32_t, std::string>> pieces;

    static void Collect(const char* text, int32_t type, void* user)
    {
        static_cast<Messages*>(user)->pieces.emplace_back(type, text);
    }

    bool Has(const std::string& text) const
    {
        for (const auto& piece : pieces)
            if (piece.second == text)
                return true;
        return false;
    }

    // True when one piece, or a run of pieces of one message (joined again
    // at the blanks they were split at), is the text.
    bool HasOfType(int32_t type, const std::string& text) const
    {
        for (size_t i = 0; i < pieces.size(); ++i) {
            std::string joined;
            for (size_t j = i; j < pieces.size() && pieces[j].first == type && !pieces[j].second.empty(); ++j) {
                joined += joined.empty() ? pieces[j].second : " " + pieces[j].second;
                if (joined == text)
                    return true;
                if (joined.size() > text.size())
                    break;
            }
            if (pieces[i].first == type && pieces[i].second == text)
                return true;
        }
        return false;
    }

    std::string All() const
    {
        std::string text;
        for (const auto& piece : pieces)
            text += std::to_string(piece.first) + ": " + piece.second + "\n";
        return text;
    }
};

struct Source {
    std::vector<uint8_t> bytes;
    uint32_t reads = 0;
    // The first read of more than one byte over this offset delivers only
    // half of what it asks, as a pipe or a network source may.
    uint64_t shortOnceAt = UINT64_MAX;

    static uint32_t Read(uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
    {
        auto* self = static_cast<Source*>(user);
        ++self->reads;
        if (offset >= self->bytes.size())
            return 0;
        uint64_t available = self->bytes.size() - offset;
        uint32_t n = available < count ? static_cast<uint32_t>(available) : count;
        if (n > 1 && offset <= self->shortOnceAt && self->shortOnceAt < uint64_t(offset) + n) {
            self->shortOnceAt = UINT64_MAX;
            n /= 2;
        }
        std::memcpy(buffer, self->bytes.data() + offset, n);
        return n;
    }
};

struct Target {
    std::vector<uint8_t> bytes;
    uint64_t failAfter = UINT64_MAX;  // bytes accepted before writes come up short

    static uint32_t Write(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
    {
        auto* self = static_cast<Target*>(user);
        if (static_cast<uint64_t>(offset) + count > self->failAfter)
            return 0;
        if (self->bytes.size() < static_cast<size_t>(offset) + count)
            self->bytes.resize(static_cast<size_t>(offset) + count);
        std::memcpy(self->bytes.data() + offset, buffer, count);
        return count;
    }
};

// Bits written as '0' and '1' characters (anything else ignored), packed
// most significant bit first.
inline std::vector<uint8_t> BitString(const std::string& text)
{
    std::vector<uint8_t> bytes;
    uint32_t n = 0;
    for (char c : text) {
        if (c != '0' && c != '1')
            continue;
        if (n % 8 == 0)
            bytes.push_back(0);
        if (c == '1')
            bytes.back() |= uint8_t(0x80 >> (n % 8));
        ++n;
    }
    return bytes;
}

}  // namespace JB2Test
