// Every input kept for the EXIF fuzz target runs again here under the
// sanitizers.
#include "fuzz/ExifFuzzEntries.h"
#include "support/FuzzReplay.h"

namespace {

TEST(ExifFuzzReplay, ReaderInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_exif_fuzzer", ZAVFuzz::ReadExifBlock);
}

}  // namespace
