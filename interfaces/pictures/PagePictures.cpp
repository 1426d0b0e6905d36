// The pictures of one page: every image XObject the page reaches (through
// its own or inherited resources, form XObjects, annotations and their
// appearances), each handed back as its stored JPEG or JPEG 2000 bytes or
// decoded into an image-edit object. A picture that fails costs one log
// line; the rest of the page is still returned.
#include "interfaces/ZAVPdfPage.h"

#include <set>
#include <vector>

#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVNameValuePairsSp.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pictures/PictureEntries.h"
#include "interfaces/pictures/PictureReader.h"
#include "interfaces/pictures/PictureSearchLoads.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/PDFLimits.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

struct FoundPicture {
    CZAVPtr<IZAVNameValuePairsSp> information;
    CZAVPtr<IZAVObjectSp> picture;
};

// An image dictionary and the indirect object whose stream it heads (none
// for a dictionary written inside another object).
struct ImageObject {
    CPDFDictionary* dictionary;
    const CPDFObject* stream;
};

// The object model's search (each indirect object once, an image
// dictionary collected and not searched further), keeping the indirect
// object each dictionary belongs to. What it reads from the file is noted
// in loads.
class CImageSearch {
public:
    CImageSearch(CPDFDocument& document, CPictureSearchLoads& loads)
        : m_pattern(CreatePDFDictionary(&document)), m_loads(loads)
    {
        m_pattern->SetName("/Subtype", "/Image");
        // The page tree, catalog and information are marked visited first,
        // so the walk never climbs up through /Parent.
        document.CollectStructureKeys(m_visited);
    }

    void Walk(CPDFObjectBase* node, const CPDFObject* owner)
    {
        if (!node)
            return;
        CPDFWalkGuard guard;
        switch (node->GetType()) {
        case ptObject:
            WalkObject(static_cast<CPDFObject*>(node));
            break;
        case ptRef:
            if (!m_visited.HasKey(node->GetObjectKey()))
                Walk(m_loads.Resolve(*static_cast<CPDFRef*>(node)).get(), owner);
            break;
        case ptDictionary:
            WalkDictionary(static_cast<CPDFDictionary*>(node), owner);
            break;
        case ptArray:
            for (const CPDFObjectPtr& element : static_cast<CPDFArray*>(node)->GetElements())
                Walk(element.get(), owner);
            break;
        default:
            break;
        }
    }

    const std::vector<ImageObject>& Found() const { return m_found; }

private:
    void WalkObject(CPDFObject* object)
    {
        const std::string key = object->GetObjectKey();
        if (m_visited.HasKey(key))
            return;
        m_visited.FindOrInsert(key) = 1;
        Walk(object->GetInnerObject().get(), object);
    }

    void WalkDictionary(CPDFDictionary* dictionary, const CPDFObject* owner)
    {
        if (dictionary->MatchesFilter(m_pattern.get())) {
            const bool heads = owner && owner->GetInnerObject().get() == dictionary;
            m_found.push_back({dictionary, heads ? owner : nullptr});
            return;
        }
        for (const CPDFObjectPtr& value : dictionary->GetValues())
            Walk(value.get(), owner);
    }

    boost::shared_ptr<CPDFDictionary> m_pattern;
    CPictureSearchLoads& m_loads;
    CPDFKeySet m_visited;
    std::vector<ImageObject> m_found;
};

// A value that stands for a missing entry: none at all, or null.
bool IsAbsent(const CPDFObjectPtr& value)
{
    const CPDFObjectPtr direct = DirectValue(value);
    return !direct || direct->GetType() == ptNull;
}

// The /Resources a page without its own takes from the nearest ancestor in
// the page tree that has them (ISO 32000-1, 7.7.3.4); none when the page has
// its own. The search never enters the page tree itself, so these are
// searched in its place.
CPDFObjectPtr InheritedResources(const CPDFObject& pageObject)
{
    CPDFDictionary* node = GetPDFDictionary(pageObject.GetInnerObject(), false);
    if (!node || !IsAbsent(OptionalEntry(*node, "/Resources")))
        return CPDFObjectPtr();
    std::set<const CPDFDictionary*> visited{node};
    for (int depth = 0; depth < kPDFMaxPageTreeDepth; ++depth) {
        node = GetPDFDictionary(ResolvePDFReference(OptionalEntry(*node, "/Parent")), false);
        if (!node || !visited.insert(node).second)
            return CPDFObjectPtr();
        const CPDFObjectPtr resources = OptionalEntry(*node, "/Resources");
        if (!IsAbsent(resources))
            return resources;
    }
    return CPDFObjectPtr();
}

const CPDFObject& StreamOf(const ImageObject& image)
{
    if (!image.stream)
        ThrowTextException("Image dictionary without stream!");
    return *image.stream;
}

CZAVPtr<IZAVObjectSp> StoredBytes(const ImageObject& image)
{
    CZAVPtr<IZAVArrayByteSp> bytes = CreateArrayByteSp(StreamOf(image).GetStreamData());
    return bytes->GetObjectSp();
}

FoundPicture ReadPicture(CPdfPictureReader& reader, const ImageObject& image, const std::string& name, int rawJpeg)
{
    FoundPicture found;
    found.information = CreateNameValuePairsSp();
    found.information->SetValue("Name", name);
    if (rawJpeg) {
        const CPictureFilterList filters = ReadFilters(*image.dictionary);
        const bool jpeg = HasOnlyDctFilter(filters);
        if (jpeg || HasOnlyJpxFilter(filters)) {
            found.information->SetValue("Type", jpeg ? "JPEG" : "JPEG2000");
            found.information->SetValue("Extension", jpeg ? "jpg" : "jp2");
            found.picture = StoredBytes(image);
            return found;
        }
    }
    found.picture = reader.ReadImageXObject(image.dictionary, &StreamOf(image))->GetObjectSp();
    return found;
}

void LogFailure(CZAVPdfDocument& document, const std::string& name, int index, const char* failure)
{
    String line;
    line.Format("Error reading PDF Image %s %d! %s", name.c_str(), index, failure);
    document.GetLogFile().LogWrite(line.GetText(), true);
}

}  // namespace

CZAVPtr<IZAVArrayObjectSp> CZAVPdfPage::GetPictures(int rawJpeg) const
{
    CZAVPtr<IZAVArrayObjectSp> result = CreateArrayObjectSp();
    if (!m_page || !m_page->GetPageObject() || !m_document)
        return result;
    // Declared first, so that it lets go of what the search read only when
    // the pictures are made and nothing points into those objects.
    CPictureSearchLoads loads(*m_document);
    CImageSearch search(*m_document, loads);
    // Inherited resources first, where a page's own usually stand: before
    // its contents and annotations.
    search.Walk(InheritedResources(*m_page->GetPageObject()).get(), nullptr);
    search.Walk(m_page->GetPageObject().get(), nullptr);
    const std::vector<ImageObject>& images = search.Found();
    CPdfPictureReader reader(*m_owner);
    std::vector<FoundPicture> pictures;
    for (size_t i = 0; i < images.size(); ++i) {
        std::string name;
        try {
            // Inside the try: a name that cannot be read loses this picture
            // only, not the rest of the page.
            name = images[i].dictionary->GetEntryAsText("/Name", true);
            pictures.push_back(ReadPicture(reader, images[i], name, rawJpeg));
        } catch (const CTextException& e) {
            LogFailure(*m_owner, name, static_cast<int>(i), e.GetText());
        }
    }
    result->SetSize(static_cast<int32_t>(pictures.size() * 2));
    for (size_t i = 0; i < pictures.size(); ++i) {
        result->SetAt(static_cast<int32_t>(2 * i), pictures[i].information->GetObjectSp().Get());
        result->SetAt(static_cast<int32_t>(2 * i + 1), pictures[i].picture.Get());
    }
    TransferObjectsMap().Clear();
    return result;
}

}  // namespace ZAV
