// Every input kept for the TIFF fuzz target runs again here under the
// sanitizers.
#include "fuzz/TiffFuzzEntries.h"
#include "support/FuzzReplay.h"

TEST(TiffFuzzReplay, KeptInputsDecodeOrFailCleanly)
{
    ZAVTest::ReplayKeptFuzzInputs("image_tiff_fuzzer", ZAVFuzz::DecodeTiff);
}
