// The data cache: keeps blocks of the source in memory so that segment data
// can be read many times and out of order, and holds data the codec writes.
#pragma once

#include <cstdint>

#include "jbig2codec/io/JB2Location.h"
#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/io/JB2Read.h"

namespace ZAV {

enum : uint32_t {
    cJB2_Cache_Direct = 0,        // every read goes to the callback
    cJB2_Cache_Memory_Blocks = 1, // blocks allocated one by one
    cJB2_Cache_Block_Store = 2    // blocks held in slots of a shared block store
};

// Slots of one size shared by several caches of style 2.
struct JB2BlockStore {
    uint32_t slotSize;
    uint32_t slotCount;
    uint8_t** slots;
    uint32_t* freeList;  // indices of free slots
    uint32_t freeCount;
};

JB2_Error JB2BlockStoreCreate(JB2BlockStore** out, JB2Memory* memory, uint32_t slotSize, JB2Message* message);
JB2_Error JB2BlockStoreRelease(JB2BlockStore** holder, JB2Memory* memory);

struct JB2Cache {
    JB2Location* location;  // one reference held
    JB2ReadData* readData;  // one reference held; null for a cache of written data only
    uint32_t style;
    uint32_t highest;       // end of the bytes known so far
    uint32_t blockSize;
    uint32_t slotCount;     // entries of the block table
    uint8_t** blocks;       // style 1
    uint32_t* slotIndex;    // style 2: slot + 1, 0 when the block is not held
    JB2BlockStore* store;   // style 2, not owned
};

// The cache takes a reference on the location and on the read data object.
// Block size 0 means 1,024 bytes. Style 2 needs a block store (else -7) whose
// slot size becomes the block size; an unknown style gives -500.
JB2_Error JB2CacheCreate(JB2Cache** out, JB2Memory* memory, JB2Location* location, JB2ReadData* readData,
                         uint32_t style, uint32_t blockSize, JB2BlockStore* store, JB2Message* message);
JB2_Error JB2CacheRelease(JB2Cache** holder, JB2Memory* memory);

// Copies up to size bytes at offset (relative to the location's start) into
// destination; *count is the number of bytes that were available.
JB2_Error JB2CacheRead(JB2Cache* cache, JB2Memory* memory, uint32_t offset, uint32_t size, uint8_t* destination,
                       uint32_t* count);
// Stores bytes at offset, allocating the blocks it needs; -17 for style 0.
JB2_Error JB2CacheWrite(JB2Cache* cache, JB2Memory* memory, uint32_t offset, uint32_t size, const uint8_t* source,
                        uint32_t* count);

}  // namespace ZAV
