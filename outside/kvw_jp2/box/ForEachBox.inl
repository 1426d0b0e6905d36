// Box list walking over memory (T.800 I.4): LBox, TBox, XLBox when LBox is 1,
// contents to the end of the list when LBox is 0.
#pragma once

#include "outside/kvw_jp2/JP2Limits.h"

namespace KVWJP2 {

template <typename Visit>
bool ForEachBox(const uint8_t* data, size_t size, Visit visit)
{
    size_t position = 0;
    uint32_t boxes = 0;
    while (position < size) {
        if (++boxes > kMaxBoxes)
            return false;
        FieldReader reader(data + position, size - position);
        uint64_t length = reader.Read(4);
        const uint32_t type = reader.Read(4);
        uint64_t header = 8;
        if (length == 1) {
            length = (uint64_t(reader.Read(4)) << 32) | reader.Read(4);
            header = 16;
        } else if (length == 0) {
            length = size - position;
        }
        if (reader.Failed() || length < header || length > size - position)
            return false;
        BoxView box;
        box.type = type;
        box.data = data + position + header;
        box.size = static_cast<size_t>(length - header);
        if (!visit(box))
            return false;
        position += static_cast<size_t>(length);
    }
    return true;
}

}  // namespace KVWJP2
