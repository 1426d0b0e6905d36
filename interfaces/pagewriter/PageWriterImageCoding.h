// A picture coded for one PDF filter: the stream's bytes and the entries of
// the image dictionary that describe them.
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

#include "interfaces/pagewriter/PageImage.h"

namespace ZAVPDF {
class CPDFDictionary;
class CPDFDocument;
}  // namespace ZAVPDF

namespace ZAV {

struct CCodedImage {
    std::string filter;                                     // the /Filter name, "/" included
    boost::shared_ptr<ZAVPDF::CPDFDictionary> decodeParms;  // null for none
    bool interpolate = false;
    int32_t bitsPerComponent = 8;
    CCodedBytes data;
};

// Codes the picture by the PDF coding its caller chose (JPEG, TIFF-coded,
// or a plug-in's JBIG2 or JPEG 2000); parameter dictionaries are made for
// document. An unknown coding is refused before anything is coded.
CCodedImage CodeImage(ZAVPDF::CPDFDocument* document, CPageImage& image);

}  // namespace ZAV
