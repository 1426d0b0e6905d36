// Reads the box structure of a JP2 file (T.800 Annex I), or recognises a raw
// codestream, into a JP2FileModel. The codestream itself is not read here.
#pragma once

#include "outside/kvw_jp2/box/JP2FileModel.h"
#include "outside/kvw_jp2/box/JP2Source.h"

namespace KVWJP2 {

JP2_Error ReadFileStructure(const JP2Source& source, JP2FileModel& model);

}  // namespace KVWJP2
