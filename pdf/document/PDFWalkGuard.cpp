#include "pdf/document/PDFWalkGuard.h"

#include "foundation/text/TextException.h"
#include "pdf/PDFLimits.h"

namespace ZAVPDF {

namespace {
thread_local int s_depth = 0;
}

CPDFWalkGuard::CPDFWalkGuard()
{
    if (s_depth >= kPDFMaxWalkDepth)
        ThrowTextException("PDF object structure is nested too deeply!");
    ++s_depth;
}

CPDFWalkGuard::~CPDFWalkGuard()
{
    --s_depth;
}

int CPDFWalkGuard::CurrentDepth()
{
    return s_depth;
}

}  // namespace ZAVPDF
