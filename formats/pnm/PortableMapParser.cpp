#include "formats/pnm/PortableMapParser.h"

namespace ZAV {

CPortableMapParser::CPortableMapParser(CDataSource* source) : ParserBase(source)
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
