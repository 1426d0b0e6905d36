#include "pdf/PDFPageCopy.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pdf/PDFDictionary.h"
#include "pdf/PDFDocument.h"
#include "pdf/PDFFactories.h"
#include "pdf/PDFLimits.h"
#include "pdf/PDFObject.h"

namespace ZAVPDF {

namespace {

// Buckets of the reference map of one page copy.
constexpr int kPageCopyMapBuckets = 10000;

// Attributes a page may take from its ancestors in the page tree.
const char* const kInheritedPageKeys[] = {"/Resources", "/MediaBox", "/CropBox", "/Rotate"};

// A stand-in for a page, to be copied in its place: the page's entries
// without /Parent, plus what the page inherits from its ancestors. It carries
// the page's number and key, so references to the page lead to its copy. The
// entries are shared with the page and its ancestors; the destructor gives
// them back their parents.
class CPageStandIn {
public:
    explicit CPageStandIn(const boost::shared_ptr<CPDFObject>& page)
    {
        CPDFDocument* document = page->GetDocument();
        auto* source = static_cast<CPDFDictionary*>(page->GetInnerObject().get());
        boost::shared_ptr<CPDFDictionary> trimmed = CreatePDFDictionary(document);
        const std::vector<std::string> keys = source->GetOriginalKeys();
        const std::vector<CPDFObjectPtr> values = source->GetValues();
        for (size_t i = 0; i < keys.size() && i < values.size(); ++i) {
            if (keys[i].empty() || keys[i] == "/Parent" || !values[i])
                continue;
            Move(*trimmed, keys[i], values[i], source);
        }
        CPDFDictionary* node = source;
        std::set<const CPDFDictionary*> visited;
        for (int depth = 0; depth < kPDFMaxPageTreeDepth && node && visited.insert(node).second;
             ++depth) {
            if (!node->HasKey("/Parent"))
                break;
            CPDFDictionary* ancestor = GetPDFDictionary(ResolvePDFReference(node->Get("/Parent")), false);
            if (!ancestor)
                break;
            for (const char* key : kInheritedPageKeys)
                if (!trimmed->HasKey(key) && ancestor->HasKey(key) && ancestor->Get(key))
                    Move(*trimmed, key, ancestor->Get(key), ancestor);
            node = ancestor;
        }
        m_standIn.reset(new CPDFObject(document, trimmed));
        m_standIn->SetObjectNumber(page->GetObjectNumber());
        m_standIn->SetGenerationNumber(page->GetGenerationNumber());
        m_standIn->SetDocumentKeyText(page->GetDocumentKey());
        if (page->HasStream())
            m_standIn->SetStreamData(page->GetStreamData());
    }
    ~CPageStandIn()
    {
        for (const auto& moved : m_moved)
            moved.first->SetParent(moved.second);
    }
    CPageStandIn(const CPageStandIn&) = delete;
    CPageStandIn& operator=(const CPageStandIn&) = delete;

    const boost::shared_ptr<CPDFObject>& Get() const { return m_standIn; }

private:
    void Move(CPDFDictionary& target, const std::string& key, const CPDFObjectPtr& value,
              CPDFObjectBase* owner)
    {
        m_moved.emplace_back(value, owner);
        target.Set(key, value);
    }

    boost::shared_ptr<CPDFObject> m_standIn;
    std::vector<std::pair<CPDFObjectPtr, CPDFObjectBase*>> m_moved;
};

}  // namespace

boost::shared_ptr<CPDFObject> CopyPageFromOtherDocument(CPDFDocument& target,
                                                        const boost::shared_ptr<CPDFObject>& page,
                                                        bool addToDocument)
{
    CPDFKeySet keySet;
    target.CollectStructureKeys(keySet);
    CPDFVisitedMap referenceMap(kPageCopyMapBuckets);
    CPDFDocument* source = page->GetDocument();
    // Something that is no dictionary has no /Parent to keep behind; the
    // import that called refuses it after the copy.
    if (page->GetInnerType() != ptDictionary)
        return boost::static_pointer_cast<CPDFObject>(
            page->Clone(source, &target, referenceMap, keySet, addToDocument));
    auto* dictionary = static_cast<CPDFDictionary*>(page->GetInnerObject().get());
    if (dictionary->HasKey("/Parent") && dictionary->Get("/Parent"))
        CPDFDocument::AddKeyToSet(keySet, dictionary->Get("/Parent")->GetObjectKey());
    CPageStandIn standIn(page);
    return boost::static_pointer_cast<CPDFObject>(
        standIn.Get()->Clone(source, &target, referenceMap, keySet, addToDocument));
}

}  // namespace ZAVPDF
