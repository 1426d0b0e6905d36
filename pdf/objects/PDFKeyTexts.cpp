#include "pdf/objects/PDFKeyTexts.h"

#include <unordered_set>

namespace ZAVPDF {

const std::string* InternKeyText(const std::string& text)
{
    // A node-based set: its strings never move. It holds one text per
    // document made in the process.
    static std::unordered_set<std::string> texts;
    return &*texts.insert(text).first;
}

}  // namespace ZAVPDF
