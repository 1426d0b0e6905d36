// Processing objects for the library's tests: made and freed with the test,
// filled with pixels and read back through the C entry points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outside/korvex55/KORVEX55.h"

namespace KorvTest {

class Processor {
public:
    Processor();
    ~Processor();
    Processor(const Processor&) = delete;
    Processor& operator=(const Processor&) = delete;

    KORV_Handle Handle() const { return m_handle; }
    // An image of its own holding these bytes (unpadded rows).
    void Load(int32_t width, int32_t height, int32_t bitsPerPixel, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Bytes() const;
    int32_t BitsPerPixel() const;
    std::string Error() const;

private:
    KORV_Handle m_handle;
};

}  // namespace KorvTest
