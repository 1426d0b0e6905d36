// Every input kept for the picture fuzz target: its seeds and each input
// that once failed, replayed under the sanitizers.
#include <gtest/gtest.h>

#include "fuzz/PictureFuzzEntries.h"
#include "support/FuzzReplay.h"

TEST(PicturesFuzzReplay, KeptInputsEndInPicturesOrTexts)
{
    ZAVTest::ReplayKeptFuzzInputs("interfaces_pictures_fuzzer", ZAVFuzz::ExtractEveryPicture);
}
