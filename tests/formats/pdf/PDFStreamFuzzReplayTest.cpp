// Every input kept for the PDF image-stream fuzz target runs again here
// under the sanitizers.
#include "fuzz/PdfStreamFuzzEntries.h"
#include "support/FuzzReplay.h"

TEST(PDFStreamFuzzReplay, KeptInputs)
{
    ZAVTest::ReplayKeptFuzzInputs("image_pdfstream_fuzzer", ZAVFuzz::DecodePdfStream);
}
