#include "pdf/document/PDFPageCopy.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/document/PDFTransfer.h"

namespace ZAVPDF {

namespace {

// Buckets of the reference map of one page copy.
constexpr int kPageCopyMapBuckets = 10000;

// Attributes a page may take from its ancestors in the page tree.
const char* const kInheritedPageKeys[] = {"/Resources", "/MediaBox", "/CropBox", "/Rotate"};

// What the copy's form takes over from the source's form besides its fields:
// the appearance defaults a reader needs to draw the field values.
const char* const kFormKeys[] = {"/DA", "/DR", "/NeedAppearances"};

// The entries of a page to be copied in its place: the page's entries
// without /Parent, plus what the page inherits from its ancestors. The
// entries are shared with the page and its ancestors; the destructor gives
// them back their parents.
class CPageStandIn {
public:
    explicit CPageStandIn(const boost::shared_ptr<CPDFObject>& page)
    {
        auto* source = static_cast<CPDFDictionary*>(page->GetInnerObject().get());
        m_dictionary = CreatePDFDictionary(page->GetDocument());
        const std::vector<std::string> keys = source->GetOriginalKeys();
        const std::vector<CPDFObjectPtr> values = source->GetValues();
        for (size_t i = 0; i < keys.size() && i < values.size(); ++i) {
            if (keys[i].empty() || keys[i] == "/Parent" || !values[i])
                continue;
            Move(keys[i], values[i], source);
        }
        CPDFDictionary* node = source;
        std::set<const CPDFDictionary*> visited;
        for (int depth = 0; depth < kPDFMaxPageTreeDepth && node && visited.insert(node).second; ++depth) {
            if (!node->HasKey("/Parent"))
                break;
            CPDFDictionary* ancestor = GetPDFDictionary(ResolvePDFReference(node->Get("/Parent")), false);
            if (!ancestor)
                break;
            for (const char* key : kInheritedPageKeys)
                if (!m_dictionary->HasKey(key) && ancestor->HasKey(key) && ancestor->Get(key))
                    Move(key, ancestor->Get(key), ancestor);
            node = ancestor;
        }
    }
    ~CPageStandIn()
    {
        for (const auto& moved : m_moved)
            moved.first->SetParent(moved.second);
    }
    CPageStandIn(const CPageStandIn&) = delete;
    CPageStandIn& operator=(const CPageStandIn&) = delete;

    const boost::shared_ptr<CPDFDictionary>& Get() const { return m_dictionary; }

private:
    void Move(const std::string& key, const CPDFObjectPtr& value, CPDFObjectBase* owner)
    {
        m_moved.emplace_back(value, owner);
        m_dictionary->Set(key, value);
    }

    boost::shared_ptr<CPDFDictionary> m_dictionary;
    std::vector<std::pair<CPDFObjectPtr, CPDFObjectBase*>> m_moved;
};

// Everything one page copy works with.
struct PageCopy {
    PageCopy(CPDFDocument* sourceDocument, CPDFDocument& targetDocument, bool adding)
        : source(sourceDocument), target(targetDocument), referenceMap(kPageCopyMapBuckets), addToDocument(adding)
    {
    }

    CPDFDocument* source;
    CPDFDocument& target;
    CPDFVisitedMap referenceMap;
    // Objects of the source the copy leaves behind; references to them
    // become null, so the copy holds one page and refers to nothing it
    // does not write.
    CPDFKeySet leftBehind;
    bool addToDocument;

    CPDFObjectPtr Copy(const CPDFObjectPtr& object)
    {
        return TransferredOrCloned(object, source, &target, referenceMap, leftBehind, addToDocument);
    }
};

// The other pages of the source, the page tree above the page and the catalog.
void CollectLeftBehindKeys(const boost::shared_ptr<CPDFObject>& page, CPDFKeySet& keys)
{
    CPDFDocument& source = *page->GetDocument();
    // By key: the other pages need not be read for that.
    const std::string pageKey = page->GetObjectKey();
    for (int index = 0; index < source.GetPageCount(); ++index) {
        const boost::shared_ptr<CPDFPage> other = source.GetPage(index);
        const std::string key = other ? other->GetPageObjectKey() : std::string();
        if (!key.empty() && key != pageKey)
            keys.Add(key);
    }
    CPDFDictionary* node = GetPDFDictionary(page, false);
    std::set<const CPDFDictionary*> visited;
    for (int depth = 0; node && depth < kPDFMaxPageTreeDepth && visited.insert(node).second; ++depth) {
        const CPDFObjectPtr parent = node->HasKey("/Parent") ? node->Get("/Parent") : CPDFObjectPtr();
        if (!parent || parent->GetType() != ptRef)
            break;
        keys.Add(parent->GetObjectKey());
        node = GetPDFDictionary(ResolvePDFReference(parent), false);
    }
    const boost::shared_ptr<CPDFDictionary>& trailer = source.GetFileTrailer();
    if (trailer && trailer->HasKey("/Root") && trailer->Get("/Root"))
        keys.Add(trailer->Get("/Root")->GetObjectKey());
}

// The top of the field tree a widget annotation belongs to: the widget
// itself when it has no /Parent.
boost::shared_ptr<CPDFObject> FieldRootOf(boost::shared_ptr<CPDFObject> field)
{
    std::set<const CPDFObject*> visited;
    for (int depth = 0; depth < kPDFMaxFieldTreeDepth && visited.insert(field.get()).second; ++depth) {
        CPDFDictionary* dictionary = GetPDFDictionary(field, false);
        if (!dictionary || !dictionary->HasKey("/Parent") || dictionary->GetEntryType("/Parent") != ptRef)
            break;
        const CPDFObjectPtr parent = ResolvePDFReference(dictionary->Get("/Parent"));
        if (!GetPDFDictionary(parent, false) || parent->GetType() != ptObject)
            break;
        field = boost::static_pointer_cast<CPDFObject>(parent);
    }
    return field;
}

// The array a value holds, written in place or as an indirect object of its
// own (as many writers do with /Annots); null for anything else.
CPDFArray* DirectArray(const CPDFObjectPtr& value)
{
    CPDFObjectPtr array = ResolvePDFReference(value);
    if (array && array->GetType() == ptObject)
        array = static_cast<CPDFObject*>(array.get())->GetInnerObject();
    return array && array->GetType() == ptArray ? static_cast<CPDFArray*>(array.get()) : nullptr;
}

// The field trees the page's widget annotations belong to, each once, in
// the order of the annotations.
std::vector<boost::shared_ptr<CPDFObject>> PageFieldRoots(CPDFDictionary& page)
{
    std::vector<boost::shared_ptr<CPDFObject>> roots;
    CPDFArray* list = page.HasKey("/Annots") ? DirectArray(page.Get("/Annots")) : nullptr;
    for (int i = 0; list && i < list->GetCount(); ++i) {
        const CPDFObjectPtr annotation = ResolvePDFReference(list->Get(i));
        CPDFDictionary* dictionary = GetPDFDictionary(annotation, false);
        if (!dictionary || annotation->GetType() != ptObject || !dictionary->EntryTextEquals("/Subtype", "/Widget"))
            continue;
        const boost::shared_ptr<CPDFObject> root = FieldRootOf(boost::static_pointer_cast<CPDFObject>(annotation));
        bool known = false;
        for (const auto& seen : roots)
            known = known || seen == root;
        if (!known)
            roots.push_back(root);
    }
    return roots;
}

// What a value of a file being updated holds, as far as it was read: a
// reference the update did not read leads nowhere.
CPDFObjectPtr ReadValue(const CPDFObjectPtr& value)
{
    if (value && value->GetType() == ptRef) {
        CPDFRef* reference = static_cast<CPDFRef*>(value.get());
        return reference->HasCachedObject() ? reference->GetCachedObject() : CPDFObjectPtr();
    }
    return value;
}

// The form of a file being updated, with its /Fields, or null when the
// update could not read them.
CPDFDictionary* OwnForm(const CPDFDocument& target)
{
    const boost::shared_ptr<CPDFDictionary>& catalog = target.GetRootCatalog();
    CPDFDictionary* form = catalog && catalog->HasKey("/AcroForm")
                               ? GetPDFDictionary(ReadValue(catalog->Get("/AcroForm")), false)
                               : nullptr;
    if (!form || !form->HasKey("/Fields") || !DirectArray(ReadValue(form->Get("/Fields"))))
        return nullptr;
    return form;
}

// A new form for an updated file: the entries of its own form, with /Fields
// a new array of its own fields that the copied ones join. The file's form
// stays as it was; the updated catalog takes the new one over.
void TakeOverOwnForm(CPDFDocument& target, const CPDFDictionary& own, CPDFDictionary& form)
{
    const std::vector<std::string> keys = own.GetOriginalKeys();
    const std::vector<CPDFObjectPtr> values = own.GetValues();
    for (size_t i = 0; i < keys.size() && i < values.size(); ++i)
        if (!keys[i].empty() && keys[i] != "/Fields" && values[i])
            form.Set(keys[i], values[i]);
    CPDFArray* fields = form.GetArray("/Fields", false);
    CPDFArray* ownFields = own.HasKey("/Fields") ? DirectArray(ReadValue(own.Get("/Fields"))) : nullptr;
    for (int i = 0; fields && ownFields && i < ownFields->GetCount(); ++i) {
        const CPDFObjectPtr field = ownFields->Get(i);
        // Fields are indirect objects; anything else names no field.
        if (field && field->GetType() == ptRef)
            fields->Add(CreatePDFRef(&target, static_cast<CPDFRef*>(field.get())->GetObjectNumber(),
                                     static_cast<CPDFRef*>(field.get())->GetGenerationNumber()));
    }
}

// The interactive form of the copy: a direct dictionary that the written
// catalog takes over.
CPDFDictionary& TargetForm(CPDFDocument& target, const CPDFDictionary* own)
{
    CPDFDictionary& additions = *target.GetCatalogAdditions();
    if (CPDFDictionary* form =
            additions.HasKey("/AcroForm") ? GetPDFDictionary(additions.Get("/AcroForm"), false) : nullptr)
        return *form;
    boost::shared_ptr<CPDFDictionary> form = CreatePDFDictionary(&target);
    form->Set("/Fields", CreatePDFArray(&target));
    if (own)
        TakeOverOwnForm(target, *own, *form);
    additions.Set("/AcroForm", form);
    return *form;
}

// Widgets show their field values only with the form they belong to: the
// copy gets its own form holding those fields, with the source's defaults
// where the target's form has none.
void CopyFormFields(PageCopy& copy, CPDFDictionary& page)
{
    const boost::shared_ptr<CPDFDictionary>& catalog = copy.source->GetRootCatalog();
    if (!catalog || !catalog->HasKey("/AcroForm"))
        return;
    CPDFDictionary* sourceForm = GetPDFDictionary(ResolvePDFReference(catalog->Get("/AcroForm")), false);
    const boost::shared_ptr<CPDFDictionary>& targetCatalog = copy.target.GetRootCatalog();
    const bool targetHasForm = targetCatalog && targetCatalog->HasKey("/AcroForm");
    // A document read whole from a file keeps the form it has; a file being
    // updated gets the copied fields added to its form, when it could read it.
    CPDFDictionary* ownForm = targetHasForm && copy.addToDocument ? OwnForm(copy.target) : nullptr;
    if (!sourceForm || (targetHasForm && !ownForm))
        return;
    const std::vector<boost::shared_ptr<CPDFObject>> roots = PageFieldRoots(page);
    if (roots.empty())
        return;
    CPDFDictionary& form = TargetForm(copy.target, ownForm);
    CPDFArray* fields = form.HasKey("/Fields") ? form.GetArray("/Fields", false) : nullptr;
    if (!fields)
        return;
    for (const boost::shared_ptr<CPDFObject>& root : roots) {
        const CPDFObjectPtr field = copy.Copy(root);
        boost::shared_ptr<CPDFRef> reference =
            CreatePDFRef(&copy.target, field->GetObjectNumber(), field->GetGenerationNumber());
        reference->SetCachedObject(boost::static_pointer_cast<CPDFObject>(field));
        fields->Add(reference);
    }
    for (const char* key : kFormKeys)
        if (!form.HasKey(key) && sourceForm->HasKey(key) && sourceForm->Get(key))
            form.Set(key, copy.Copy(sourceForm->Get(key)));
}

}  // namespace

boost::shared_ptr<CPDFObject> CopyPageFromOtherDocument(CPDFDocument& target, const boost::shared_ptr<CPDFObject>& page,
                                                        bool addToDocument)
{
    PageCopy copy(page->GetDocument(), target, addToDocument);
    CollectLeftBehindKeys(page, copy.leftBehind);
    // Something that is no dictionary has no /Parent to keep behind; the
    // import that called refuses it after the copy.
    if (page->GetInnerType() != ptDictionary)
        return boost::static_pointer_cast<CPDFObject>(copy.Copy(page));

    // The copy stands for the page itself, so references back to the page
    // (a widget's /P, a link to it) lead to this one copy.
    CPageStandIn standIn(page);
    boost::shared_ptr<CPDFObject> pageCopy =
        CPDFObject::EnterEmptyCopy(page.get(), copy.source, &target, addToDocument);
    pageCopy->SetInnerObject(copy.Copy(standIn.Get()));
    if (page->HasStream())
        pageCopy->SetStreamData(page->GetStreamData());
    CopyFormFields(copy, *static_cast<CPDFDictionary*>(page->GetInnerObject().get()));
    return pageCopy;
}

}  // namespace ZAVPDF
