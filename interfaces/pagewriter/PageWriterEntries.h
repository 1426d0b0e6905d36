// The records the page writer collects for a page. Object numbers stay -1
// until WritePage makes the record's object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/containers/ArrayString.h"
#include "foundation/containers/IndexedVectorMap.h"
#include "interfaces/pagewriter/PageImage.h"
#include "interfaces/pagewriter/PdfRect.h"

namespace ZAV {

class CPdfFontEntry {
public:
    std::string name;  // normalised
    std::string baseFont;
    int32_t objectNumber = -1;
};

class CPdfTextEntry {
public:
    _PdfRect rect{};
    std::string text;
    std::string fontName;  // normalised
    double size = 0;
    int32_t objectNumber = -1;
};

class CPdfImageEntry {
public:
    _PdfRect rect{};
    std::string name;       // normalised
    std::string layerName;  // as given; "" for none
    CPageImagePtr image;    // holds the caller's image while the page lives
    std::string maskName;   // normalised; "" for none
    int32_t objectNumber = -1;
};

// Kind 0: made by an image add naming a new layer, an /OCG of its own.
// Kind 1: made by AddLayer, an /OCMD over member layers.
class CPdfOCGLayersEntry {
public:
    static constexpr int32_t kImplicit = 0;
    static constexpr int32_t kMembership = 1;

    int32_t objectNumber = -1;
    int32_t kind = kImplicit;
    int32_t allOn = 0;
    std::string name;
    CArrayString members;
};

class CPdfAnnotsUrlEntry {
public:
    std::string key;
    _PdfRect rect{};
    std::string url;
    int32_t objectNumber = -1;
};

// Entries by key in the order they were added, which is the writing order.
template <class Entry>
class CPageWriterList : public CIndexedVectorMap<std::shared_ptr<Entry>> {
public:
    explicit CPageWriterList(uint32_t capacity) : CIndexedVectorMap<std::shared_ptr<Entry>>(capacity) {}
};

}  // namespace ZAV
