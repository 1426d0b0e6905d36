// CPortableMapParser: the character reader of the portable map headers and
// text rasters, on the parser base the PDF reader uses.
#pragma once

#include "pdf/parse/ParserBase.h"

namespace ZAV {

class CPortableMapParser : public ParserBase {
public:
    explicit CPortableMapParser(CDataSource* source);

    // Blanks, tabs, CR and LF, and "#" comments to the end of their line.
    void SkipWhitespaceAndComments();

    // The next character as it is in the data, no line-end folding: what
    // the binary raster begins behind. -1 at the end.
    int ReadRawByte() { return SourceReadByte(); }

    // The next character; 0 at the end of the data.
    char NextChar() { return GetChar(nullptr); }

    using ParserBase::IsWhitespace;
};

}  // namespace ZAV
