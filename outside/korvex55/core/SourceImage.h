// A source an operation reads while it writes its own image. When the two
// share pixels (the same object, or overlapping attached memory), the source
// is copied first, so writing the result never changes what is still to be
// read, and re-creating the destination never frees the source.
#pragma once

#include <cstdint>
#include <vector>

#include "outside/korvex55/core/ImageView.h"
#include "outside/korvex55/core/Processor.h"

namespace KORVEX55 {

class SourceImage {
public:
    // role names the source in failure texts; it must hold an image.
    SourceImage(const Processor& destination, const Processor& source, const char* role = "source");
    const ImageView& View() const { return m_view; }

private:
    ImageView m_view;
    std::vector<uint8_t> m_copy;
};

}  // namespace KORVEX55
