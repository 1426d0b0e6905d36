// A whole file mapped read-only into memory, the service behind the mapped
// data source. Opening, mapping and viewing are reported as separate steps
// because callers name the step that failed.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

enum class FileMapStep {
    Done,
    OpenFailed,     // the file could not be opened (missing, no access, a folder)
    MappingFailed,  // nothing to map: the file is empty
    ViewFailed      // the system refused the view
};

struct MappedFileView {
    const unsigned char* data = nullptr;
    uint64_t size = 0;
};

// Maps the file read-only. On failure the view stays empty, the last error
// holds the reason, and the step that failed is returned.
FileMapStep MapFileReadOnly(const char* path, MappedFileView& view);

// Releases the view and empties it; an empty view is left as it is.
void UnmapFileView(MappedFileView& view);
