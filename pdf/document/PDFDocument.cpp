#include "pdf/document/PDFDocument.h"

#include <cctype>
#include <cstdio>
#include <limits>
#include <set>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFKeyTexts.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPageCopy.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAVPDF {

namespace {

// Bucket count of the object map: documents can hold many objects.
constexpr int kObjectMapBuckets = 100000;
// Bucket count of the visited maps of one copy or tree walk.
constexpr int kVisitedMapBuckets = 10000;

// Key texts are numbered per process rather than taken from the address,
// so that a document created where an earlier one lived never shares its keys.
// Eight digits, all of the same width so that no key text ends another:
// every object carries its document's key text, and a text this short, like
// the object keys made of it, is held without an allocation of its own.
uint64_t s_nextDocumentSerial = 1;

std::string NewKeyText()
{
    char text[32];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(s_nextDocumentSerial++));
    return text;
}

}  // namespace

void ReleaseReferenceCaches(const CPDFObjectPtr& root)
{
    std::vector<CPDFObjectBase*> work;
    ReleaseReferenceCaches(root, work);
}

void ReleaseReferenceCaches(const CPDFObjectPtr& root, std::vector<CPDFObjectBase*>& work)
{
    work.clear();
    if (root)
        work.push_back(root.get());
    while (!work.empty()) {
        CPDFObjectBase* object = work.back();
        work.pop_back();
        switch (object->GetType()) {
        case ptRef:
            static_cast<CPDFRef*>(object)->ReleaseCachedObject();
            break;
        case ptObject: {
            const CPDFObjectPtr& inner = static_cast<CPDFObject*>(object)->GetInnerObject();
            if (inner)
                work.push_back(inner.get());
            break;
        }
        case ptArray:
            for (const CPDFObjectPtr& element : static_cast<CPDFArray*>(object)->GetElements())
                if (element)
                    work.push_back(element.get());
            break;
        case ptDictionary:
            for (const CPDFObjectPtr& value : static_cast<CPDFDictionary*>(object)->GetValues())
                if (value)
                    work.push_back(value.get());
            break;
        default:
            break;
        }
    }
}

namespace {

// Counts one more page in a page-tree node. The count may come from a file,
// which can claim any number: one at the largest integer stays there.
void CountOneMorePage(CPDFDictionary& node)
{
    const int count = node.HasKey("/Count") ? node.GetInteger("/Count", true)->GetInteger() : 0;
    node.SetInteger("/Count", count < std::numeric_limits<int>::max() ? count + 1 : count);
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (suffix.empty() || suffix.size() > text.size())
        return false;
    return PDFTextEqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

CPDFDocument::CPDFDocument()
    : m_keyText(InternKeyText(NewKeyText())), m_crt(new CPDFCrt), m_info(this), m_objects(kObjectMapBuckets)
{
    m_objects.SetStoreOriginalKeys(true);
    m_catalogAdditions.reset(new CPDFDictionary(this));
}

CPDFDocument::~CPDFDocument()
{
    std::vector<CPDFObjectBase*> work;
    for (const CPDFObjectPtr& object : m_objects.GetEntries())
        ReleaseReferenceCaches(object, work);
    ReleaseReferenceCaches(m_rootCatalog, work);
    ReleaseReferenceCaches(m_fileTrailer, work);
    ReleaseReferenceCaches(m_trailer, work);
    ReleaseReferenceCaches(m_catalogAdditions, work);
    for (const auto& page : m_pages)
        if (page)
            ReleaseReferenceCaches(page->GetLoadedPageObject(), work);
    ReleaseReferenceCaches(m_infoObject, work);
}

std::string CPDFDocument::MakeKeyText(const CPDFDocument* document)
{
    return document ? *document->m_keyText : std::string();
}

const std::string* CPDFDocument::KeyTextOf(const CPDFDocument* document)
{
    static const std::string* const kNone = InternKeyText(std::string());
    return document ? document->m_keyText : kNone;
}

void CPDFDocument::GetNewObjectNumber(int& objectNumber, int& generation)
{
    objectNumber = m_crt->GetSize();
    generation = 0;
}

int CPDFDocument::GetCrtSize() const
{
    return m_crt->GetSize();
}

boost::shared_ptr<CPDFObject> CPDFDocument::AddUpdateObject(const CPDFObjectPtr& object)
{
    return AddObject(object);
}

void CPDFDocument::AddUpdateObjectTree(const CPDFObjectPtr& object)
{
    AddObjectTree(object);
}

CPDFObjectPtr CPDFDocument::GetTrailerInfo() const
{
    if (!m_fileTrailer || !m_fileTrailer->HasKey("/Info"))
        return CPDFObjectPtr();
    return m_fileTrailer->Get("/Info");
}

boost::shared_ptr<CPDFPage> CPDFDocument::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        ThrowTextException("Page does not exist!");
    return m_pages[static_cast<size_t>(index)];
}

boost::shared_ptr<CPDFPage> CPDFDocument::AddPage()
{
    boost::shared_ptr<CPDFPage> page(new CPDFPage);
    m_pages.push_back(page);
    return page;
}

void CPDFDocument::RemovePageObjects(int index)
{
    boost::shared_ptr<CPDFPage> page = GetPage(index);
    const boost::shared_ptr<CPDFObject>& pageObject = page->GetPageObject();
    if (!pageObject)
        return;
    CPDFDictionary* dictionary = GetPDFDictionary(pageObject, false);
    if (dictionary) {
        for (const char* key : {"/Resources", "/Contents", "/Annots"}) {
            if (!dictionary->HasKey(key))
                continue;
            CPDFObjectPtr entry = dictionary->Get(key);
            if (!entry)
                continue;
            CPDFObjectMap referenced(100);
            CPDFKeySet visitedKeys;
            entry->CollectReferences(referenced, visitedKeys);
            const int count = referenced.GetSize();
            for (int i = 0; i < count; ++i) {
                const CPDFObjectPtr& object = referenced.GetAt(i);
                if (object)
                    RemoveObject(object->GetObjectNumber());
            }
        }
    }
    RemoveObject(pageObject->GetObjectNumber());
}

void CPDFDocument::AddKidToPages(const CPDFObjectPtr& pagesObject, const CPDFObjectPtr& kid)
{
    if (!kid)
        return;
    CPDFDictionary* pages = GetPDFDictionary(pagesObject, true);
    if (!pages->HasKey("/Kids"))
        ThrowTextException("Kids entry missing in Pages dictionary!");
    CPDFArray* kids = pages->GetArray("/Kids", true);
    kids->Add(CreatePDFRef(this, kid->GetObjectNumber(), kid->GetGenerationNumber()));
    CountOneMorePage(*pages);
}

void CPDFDocument::ImportPage(const boost::shared_ptr<CPDFObject>& pageObject)
{
    if (!pageObject)
        ThrowTextException("Null pointer provided for page");
    if (!m_crt)
        ThrowTextException("Cross reference table not present");

    boost::shared_ptr<CPDFObject> page = pageObject;
    if (page->GetDocument() != this)
        page = CopyPageFromOtherDocument(*this, page, false);

    AddPage()->SetPageObject(page);
    if (!HasObjectKey(page->GetObjectKey()))
        AddObjectTree(page);
    if (page->GetInnerType() != ptDictionary)
        ThrowTextException("Page object is expected to be dict !");
    if (!m_rootCatalog)
        return;

    // Link the page into the page tree of the file this document was read from.
    CPDFDictionary* pageDictionary = GetPDFDictionary(page, true);
    boost::shared_ptr<CPDFRef> pageRef = CreatePDFRef(this, page->GetObjectNumber(), page->GetGenerationNumber());
    pageRef->SetCachedObject(page);
    CPDFDictionary* node = m_rootCatalog->GetDictionary("/Pages", true);
    boost::shared_ptr<CPDFObject> nodeObject;
    if (m_rootCatalog->GetEntryType("/Pages") == ptRef)
        nodeObject = m_rootCatalog->GetRef("/Pages", false)->GetReferencedObject();
    std::set<const CPDFDictionary*> visitedNodes;
    for (int depth = 0;; ++depth) {
        // A tree whose last kid leads back to an ancestor would be walked forever.
        if (depth >= kPDFMaxPageTreeDepth || !visitedNodes.insert(node).second)
            ThrowTextException("Page tree contains a cycle or is nested too deeply!");
        if (!node->EntryTextEquals("/Type", "/Pages"))
            ThrowTextException("Node type is expected to be /Pages !");
        CountOneMorePage(*node);
        CPDFArray* kids = node->GetArray("/Kids", true);
        CPDFObjectPtr lastKid = kids->Get(kids->GetCount() - 1);
        CPDFObjectPtr kidObject = ResolvePDFReference(lastKid);
        CPDFDictionary* kid = GetPDFDictionary(kidObject, true);
        if (kid->EntryTextEquals("/Type", "/Page")) {
            kids->Add(pageRef);
            if (nodeObject) {
                boost::shared_ptr<CPDFRef> parentRef =
                    CreatePDFRef(this, nodeObject->GetObjectNumber(), nodeObject->GetGenerationNumber());
                parentRef->SetCachedObject(nodeObject);
                pageDictionary->Set("/Parent", parentRef);
            }
            return;
        }
        node = kid;
        nodeObject = kidObject && kidObject->GetType() == ptObject ? boost::static_pointer_cast<CPDFObject>(kidObject)
                                                                   : boost::shared_ptr<CPDFObject>();
    }
}

boost::shared_ptr<CPDFObject> CPDFDocument::AddObject(const CPDFObjectPtr& object)
{
    if (!object)
        ThrowTextException("Null pointer provided for object");
    if (object->GetType() == ptObject && object->GetObjectNumber() > 0) {
        // References that still carry the old number find the object here.
        const std::string oldKey = object->GetObjectKey();
        if (m_objects.Contains(oldKey))
            ThrowTextException("Object already present in object map");
        m_objects.Set(oldKey, object);
    }
    int number = 0;
    int generation = 0;
    GetNewObjectNumber(number, generation);

    const bool wrapped = object->GetType() != ptObject;
    boost::shared_ptr<CPDFObject> indirect = wrapped ? boost::shared_ptr<CPDFObject>(new CPDFObject(this, object))
                                                     : boost::static_pointer_cast<CPDFObject>(object);
    if (wrapped)
        object->SetParent(indirect.get());
    indirect->SetObjectNumber(number);
    indirect->SetGenerationNumber(generation);
    if (wrapped)
        indirect->SetModified(false);
    indirect->SetDocumentKey(this);

    const std::string key = indirect->GetObjectKey();
    if (m_objects.Contains(key))
        ThrowTextException("Object already present in object map");
    m_objects.Set(key, indirect);
    m_crt->AddEntry(number, generation, 0, 'n');
    return indirect;
}

void CPDFDocument::AddObjectTree(const CPDFObjectPtr& object)
{
    CPDFVisitedMap visitedMap(kVisitedMapBuckets);
    AddObjectTreeNode(visitedMap, object);
}

void CPDFDocument::MarkReferenceVisited(CPDFVisitedMap& visitedMap, CPDFRef* reference, CPDFObjectBase* target)
{
    visitedMap.Set(reference->GetObjectKey(), target);
    visitedMap.Set(target->GetObjectKey(), target);
}

void CPDFDocument::AddObjectTreeNode(CPDFVisitedMap& visitedMap, const CPDFObjectPtr& object)
{
    if (!object)
        return;
    CPDFWalkGuard guard;
    switch (object->GetType()) {
    case ptArray:
        for (const CPDFObjectPtr& element : static_cast<CPDFArray*>(object.get())->GetElements())
            AddObjectTreeNode(visitedMap, element);
        break;
    case ptDictionary:
        for (const CPDFObjectPtr& value : static_cast<CPDFDictionary*>(object.get())->GetValues())
            AddObjectTreeNode(visitedMap, value);
        break;
    case ptRef: {
        auto* reference = static_cast<CPDFRef*>(object.get());
        if (reference->GetObjectNumber() < 0)
            break;
        const std::string key = reference->GetObjectKey();
        CPDFObjectPtr found;
        if (visitedMap.Contains(key)) {
            CPDFObjectBase* visited = visitedMap.GetEntry(key);
            if (visited)
                found = FindObject(visited->GetObjectKey());
        }
        if (!found)
            found = FindObject(key);
        boost::shared_ptr<CPDFObject> target;
        if (found && found->GetType() == ptObject) {
            target = boost::static_pointer_cast<CPDFObject>(found);
        } else {
            target = reference->GetReferencedObject();
            MarkReferenceVisited(visitedMap, reference, target.get());
            AddObjectTreeNode(visitedMap, target);
        }
        reference->SetCachedObject(target);
        reference->SetObjectNumber(target->GetObjectNumber());
        reference->SetGenerationNumber(target->GetGenerationNumber());
        reference->SetDocumentKeyText(target->GetDocumentKey());
        break;
    }
    case ptObject: {
        auto* indirect = static_cast<CPDFObject*>(object.get());
        if (HasObjectKey(indirect->GetObjectKey()))
            break;
        AddObject(object);
        AddObjectTreeNode(visitedMap, indirect->GetInnerObject());
        break;
    }
    default:
        break;
    }
}

CPDFObjectPtr CPDFDocument::FindObject(const std::string& key) const
{
    const int index = m_objects.Find(key, false);
    if (index < 0)
        return CPDFObjectPtr();
    return m_objects.GetAt(index);
}

boost::shared_ptr<CPDFObject> CPDFDocument::FindObjectByNumber(int objectNumber, const CPDFDocument* document) const
{
    return FindObjectByKeyText(objectNumber, MakeKeyText(document));
}

boost::shared_ptr<CPDFObject> CPDFDocument::FindObjectByKeyText(int objectNumber, const std::string& keyText) const
{
    CPDFObjectPtr object = FindObject(MakeObjectKey(objectNumber, keyText));
    if (!object || object->GetType() != ptObject)
        return boost::shared_ptr<CPDFObject>();
    return boost::static_pointer_cast<CPDFObject>(object);
}

void CPDFDocument::RemoveObject(int objectNumber)
{
    const std::string key = MakeObjectKey(objectNumber, *m_keyText);
    if (m_objects.Contains(key))
        m_objects.RemoveEntry(key, CPDFObjectPtr());
}

void CPDFDocument::UnloadFileObject(const boost::shared_ptr<CPDFObject>& object)
{
    if (!object)
        return;
    const std::string key = object->GetObjectKey();
    if (FindObject(key) == object)
        m_objects.RemoveEntry(key, CPDFObjectPtr());
    ReleaseReferenceCaches(object);
}

void CPDFDocument::RemoveObjects(const std::vector<CPDFObjectPtr>& objects)
{
    for (const CPDFObjectPtr& object : objects)
        if (object && object->GetType() == ptObject)
            RemoveObject(object->GetObjectNumber());
}

std::vector<std::string> CPDFDocument::GetObjectKeys() const
{
    // Removed entries leave an empty key behind in the spelled-key list.
    std::vector<std::string> keys;
    for (const std::string& key : *m_objects.GetOriginalKeys())
        if (!key.empty() && m_objects.Contains(key))
            keys.push_back(key);
    return keys;
}

std::vector<CPDFObjectPtr> CPDFDocument::GetObjects() const
{
    const std::vector<std::string>& keys = *m_objects.GetOriginalKeys();
    const std::vector<CPDFObjectPtr>& entries = m_objects.GetEntries();
    std::vector<CPDFObjectPtr> objects;
    objects.reserve(entries.size());
    for (size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].empty() && entries[i])
            objects.push_back(entries[i]);
    return objects;
}

bool CPDFDocument::HasObjectKey(const std::string& key) const
{
    return m_objects.Contains(key);
}

bool CPDFDocument::IsOwnKey(const std::string& key) const
{
    return EndsWithNoCase(key, *m_keyText);
}

void CPDFDocument::MapReference(CPDFVisitedMap& visitedMap, CPDFRef* reference, CPDFObjectBase* value)
{
    if (!reference)
        return;
    visitedMap.Set(reference->GetObjectKey(), value);
    if (reference->HasCachedObject())
        visitedMap.Set(reference->GetCachedObject()->GetObjectKey(), value);
}

void CPDFDocument::MatchDictionary(const std::string& key, const CPDFObjectPtr& object, const CPDFDictionary* filter,
                                   CPDFFoundObjects& result)
{
    if (!object || object->GetType() != ptObject)
        return;
    auto indirect = boost::static_pointer_cast<CPDFObject>(object);
    if (indirect->GetInnerType() != ptDictionary)
        return;
    auto* dictionary = static_cast<CPDFDictionary*>(indirect->GetInnerObject().get());
    if (!dictionary->MatchesFilter(filter))
        return;
    for (const auto& entry : result)
        if (entry.first == key)
            return;
    result.emplace_back(key, indirect);
}

void CPDFDocument::FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, CPDFFoundObjects& result)
{
    // Slot by slot, as GetObjectKeys orders them: a removed entry leaves an
    // empty key in its slot, a present key stands in the slot it leads to.
    const std::vector<std::string>& keys = *m_objects.GetOriginalKeys();
    const std::vector<CPDFObjectPtr>& objects = m_objects.GetEntries();
    for (size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].empty())
            MatchDictionary(keys[i], objects[i], filter.get(), result);
}

namespace {

// The document's indirect dictionaries whose /Type is type.
CPDFFoundObjects FindObjectsOfType(CPDFDocument& document, const char* type)
{
    boost::shared_ptr<CPDFDictionary> filter = CreatePDFDictionary(&document);
    filter->SetName("/Type", type);
    CPDFFoundObjects result;
    document.FindDictionaries(filter, result);
    return result;
}

}  // namespace

CPDFFoundObjects CPDFDocument::FindPagesObjects()
{
    return FindObjectsOfType(*this, "/Pages");
}

CPDFFoundObjects CPDFDocument::FindCatalogObjects()
{
    return FindObjectsOfType(*this, "/Catalog");
}

CPDFFoundObjects CPDFDocument::FindInfoObjects()
{
    return FindObjectsOfType(*this, "/Info");
}

void CPDFDocument::RemoveFoundObjects(const CPDFFoundObjects& objects)
{
    for (const auto& entry : objects)
        if (m_objects.Contains(entry.first))
            m_objects.RemoveEntry(entry.first, CPDFObjectPtr());
}

void CPDFDocument::RemovePagesObjects()
{
    RemoveFoundObjects(FindPagesObjects());
}

void CPDFDocument::RemoveCatalogObjects()
{
    RemoveFoundObjects(FindCatalogObjects());
}

void CPDFDocument::CollectStructureKeys(CPDFKeySet& keySet)
{
    AddKeysToSet(keySet, FindInfoObjects());
    AddKeysToSet(keySet, FindCatalogObjects());
    AddKeysToSet(keySet, FindPagesObjects());
}

void CPDFDocument::AddKeysToSet(CPDFKeySet& keySet, const CPDFFoundObjects& objects)
{
    for (const auto& entry : objects)
        AddKeyToSet(keySet, entry.first);
}

void CPDFDocument::AddKeyToSet(CPDFKeySet& keySet, const std::string& key)
{
    std::string upper = key;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    keySet.FindOrInsert(upper) = 1;
}

std::vector<boost::shared_ptr<CPDFObject>> CPDFDocument::GetOwnObjects() const
{
    // An object read from the own file stands under two own keys (its number
    // in the file and its new one); it is still one object of the file.
    std::vector<boost::shared_ptr<CPDFObject>> objects;
    std::set<const CPDFObject*> seen;
    for (const std::string& key : GetObjectKeys()) {
        if (!IsOwnKey(key))
            continue;
        CPDFObjectPtr object = FindObject(key);
        if (!object || object->GetType() != ptObject)
            continue;
        auto indirect = boost::static_pointer_cast<CPDFObject>(object);
        if (seen.insert(indirect.get()).second)
            objects.push_back(indirect);
    }
    return objects;
}

}  // namespace ZAVPDF
