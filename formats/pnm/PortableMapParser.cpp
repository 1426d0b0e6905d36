#include "formats/pnm/PortableMapParser.h"

namespace ZAV {

namespace {

// The bucket count of the parser base's line table.
constexpr int kParserTableSize = 100000;

}  // namespace

CPortableMapParser::CPortableMapParser(CDataSource* source) : ParserBase(source, kParserTableSize)
{
}

void CPortableMapParser::SkipWhitespaceAndComments()
{
    SkipWhitespace();
    while (MatchChar('#')) {
        ZAV::String comment;
        ReadLine(comment);
        SkipWhitespace();
    }
}

}  // namespace ZAV
