// The exact PDF text of the value objects.
#include <gtest/gtest.h>

#include "pdf/PDFDocument.h"
#include "pdf/PDFNumber.h"

using namespace ZAVPDF;

TEST(PDFValuesTest, Smoke)
{
    CPDFDocument document;
    CPDFNumber number(&document, 2.5);
    EXPECT_EQ("2.50", number.ToPDFString());
}
