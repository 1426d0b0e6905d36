// Ceilings the foundation library puts on sizes that come from outside
// (files, callers' counts), so that no input alone can drive an allocation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

// A block read from a source whose length is unknown (callbacks) may not ask
// for more than this; sources of known length are checked against their data.
constexpr size_t kMaxReadBlockWithoutLength = 256u * 1024u * 1024u;

// Longest file name a data source keeps: the longest path the system accepts.
constexpr size_t kMaxFileNameLength = 4096;

// Largest file read whole into memory by ReadFileToBuffer: 2 GiB, the most a
// 32-bit size and the byte arrays of the library can describe.
constexpr uint64_t kMaxFileToBufferSize = 0x7FFFFFFEu;

// Most one zlib buffer may inflate to: a few kilobytes of hostile data can
// claim gigabytes, and no single stream of a real document comes near this.
constexpr uint64_t kMaxInflatedBufferBytes = uint64_t(1) << 30;

}  // namespace ZAV
