// Collects the COM segments of a codestream's main header (T.800 A.9.2).
#pragma once

#include "outside/kvw_jp2/box/JP2FileModel.h"
#include "outside/kvw_jp2/box/JP2Source.h"

namespace KVWJP2 {

JP2_Error ScanMainHeaderComments(const JP2Source& source, uint64_t codestreamOffset, std::vector<Bytes>& comments);

}  // namespace KVWJP2
