// The operations a data source performs on its back end, one table per kind
// of source. A data source picks its table once, when it is opened, and calls
// through it afterwards instead of asking for its kind at every operation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

class CChunkBuffer;
struct CDataSourceState;

struct CDataSourceBackEnd {
    // Returns whether the back end let go of its resources cleanly.
    bool (*close)(CDataSourceState& s);
    size_t (*read)(CDataSourceState& s, void* buffer, size_t count);
    // itemSize * count is known not to overflow.
    bool (*write)(CDataSourceState& s, CChunkBuffer& chunks, const void* data, size_t itemSize, size_t count);
    bool (*seek)(CDataSourceState& s, int64_t offset, int origin);
    uint64_t (*position)(CDataSourceState& s, CChunkBuffer& chunks);
    uint64_t (*length)(CDataSourceState& s, CChunkBuffer& chunks);
    bool (*isEof)(CDataSourceState& s);
    bool (*hasMoreData)(CDataSourceState& s);
    // Whether position and length can be trusted to bound a read.
    bool (*lengthKnown)(const CDataSourceState& s);
};

// The table for a kind (EDataSourceKind); an unknown kind gets the table of a
// source that is not open.
const CDataSourceBackEnd& DataSourceBackEndFor(int kind);

// Constant tables of function addresses, so they are ready before any code runs.
extern const CDataSourceBackEnd kNoDataSourceBackEnd;
extern const CDataSourceBackEnd kFileBackEnd;
extern const CDataSourceBackEnd kMemoryBackEnd;
extern const CDataSourceBackEnd kMappedFileBackEnd;
extern const CDataSourceBackEnd kCallbackBackEnd;
extern const CDataSourceBackEnd kBinStreamBackEnd;

// The length of the open file; bytes still buffered for writing count.
uint64_t CurrentFileLength(CDataSourceState& s);

}  // namespace ZAV
