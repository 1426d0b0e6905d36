#include "pdf/objects/PDFDictionary.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAVPDF {

namespace {

[[noreturn]] void ThrowKeyMessage(const char* format, const char* prefix, const std::string& key)
{
    const std::string prefixText = prefix ? std::string(prefix) + " " : std::string();
    ZAV::String text;
    text.Format(format, prefixText.c_str(), key.c_str());
    ThrowTextException(text.GetText());
}

}  // namespace

CPDFDictionary::CPDFDictionary(CPDFDocument* document) : CPDFObjectBase(ptDictionary, document)
{
}

CPDFDictionary::~CPDFDictionary() = default;

void CPDFDictionary::Set(const std::string& key, const CPDFObjectPtr& object)
{
    if (!object)
        ThrowTextException("Null Object!");
    object->SetParent(this);
    m_entries.Set(key, object);
    SetModified(true);
}

void CPDFDictionary::SetByName(const CPDFName& name, const CPDFObjectPtr& object)
{
    Set(name.GetName(), object);
}

void CPDFDictionary::SetName(const std::string& key, const std::string& text)
{
    Set(key, CreatePDFName(GetDocument(), text));
}

void CPDFDictionary::SetString(const std::string& key, const std::string& text, bool hex)
{
    Set(key, CreatePDFString(GetDocument(), text, hex));
}

void CPDFDictionary::SetInteger(const std::string& key, int value)
{
    Set(key, CreatePDFInteger(GetDocument(), value));
}

void CPDFDictionary::SetRef(const std::string& key, int objectNumber, int generation)
{
    Set(key, CreatePDFRef(GetDocument(), objectNumber, generation));
}

void CPDFDictionary::SetBool(const std::string& key, bool value)
{
    Set(key, CreatePDFBool(GetDocument(), value));
}

bool CPDFDictionary::HasKey(const std::string& key) const
{
    return m_entries.Contains(key);
}

int CPDFDictionary::GetCount() const
{
    return m_entries.GetSize();
}

CPDFObjectPtr CPDFDictionary::Get(const std::string& key) const
{
    return m_entries.GetEntry(key);
}

int CPDFDictionary::GetEntryType(const std::string& key) const
{
    CPDFObjectPtr entry = Get(key);
    if (!entry)
        ThrowTextException("Null Object!");
    return entry->GetType();
}

CPDFObjectPtr CPDFDictionary::GetEntryAt(int index) const
{
    return m_entries.GetAt(index);
}

std::string CPDFDictionary::GetEntryAsText(const std::string& key, bool resolveReferences) const
{
    const int index = m_entries.Find(key);
    if (index < 0)
        return std::string();
    CPDFObjectPtr entry = m_entries.GetAt(index);
    if (!entry)
        return std::string();
    if (resolveReferences && entry->GetType() == ptRef) {
        try {
            boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject();
            if (!target || !target->GetInnerObject())
                return std::string();
            return target->GetInnerObject()->ToPDFString();
        } catch (const CTextException&) {
            return std::string();
        }
    }
    return entry->ToPDFString();
}

bool CPDFDictionary::EntryTextEquals(const std::string& key, const std::string& text) const
{
    const std::string entryText = GetEntryAsText(key, true);
    return !entryText.empty() && PDFTextEqualsNoCase(entryText, text);
}

bool CPDFDictionary::MatchesFilter(const CPDFDictionary* filter) const
{
    if (!filter)
        return true;
    const std::vector<std::string> keys = filter->GetOriginalKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        CPDFObjectPtr value = filter->GetEntryAt(static_cast<int>(i));
        if (!value || keys[i].empty())
            continue;
        if (!EntryTextEquals(keys[i], value->ToPDFString()))
            return false;
    }
    return true;
}

CPDFObjectPtr CPDFDictionary::RequiredEntry(const std::string& key, const char* prefix) const
{
    const int index = m_entries.Find(key);
    if (index < 0)
        ThrowKeyMessage("%sObject '%s' has not been found!", prefix, key);
    return m_entries.GetAt(index);
}

CPDFObjectPtr CPDFDictionary::GetTypedEntry(const std::string& key, int type, bool resolveReferences,
                                            const char* prefix) const
{
    CPDFObjectPtr entry = RequiredEntry(key, prefix);
    if (entry && entry->GetType() == type)
        return entry;
    if (!resolveReferences || !entry || entry->GetType() != ptRef)
        ThrowKeyMessage("%sRequested object '%s' has different type", prefix, key);
    boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject();
    if (target && target->GetInnerObject() && target->GetInnerObject()->GetType() == type)
        return target->GetInnerObject();
    ThrowKeyMessage("%sRequested object '%s' (indirect reference) has different type", prefix, key);
}

CPDFObjectPtr CPDFDictionary::GetTypedObjectEntry(const std::string& key, bool resolveReferences,
                                                  const char* prefix) const
{
    CPDFObjectPtr entry = RequiredEntry(key, prefix);
    if (entry && entry->GetType() == ptObject)
        return entry;
    if (!resolveReferences || !entry || entry->GetType() != ptRef)
        ThrowKeyMessage("%sRequested object '%s' has different type", prefix, key);
    boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject();
    if (!target)
        ThrowKeyMessage("%sRequested object '%s' not available", prefix, key);
    return target;
}

CPDFArray* CPDFDictionary::GetArray(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFArray*>(GetTypedEntry(key, ptArray, resolveReferences, prefix).get());
}

CPDFBool* CPDFDictionary::GetBool(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFBool*>(GetTypedEntry(key, ptBool, resolveReferences, prefix).get());
}

CPDFNumber* CPDFDictionary::GetInteger(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFNumber*>(GetTypedEntry(key, ptInteger, resolveReferences, prefix).get());
}

CPDFName* CPDFDictionary::GetName(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFName*>(GetTypedEntry(key, ptName, resolveReferences, prefix).get());
}

CPDFRef* CPDFDictionary::GetRef(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFRef*>(GetTypedEntry(key, ptRef, resolveReferences, prefix).get());
}

CPDFDictionary* CPDFDictionary::GetDictionary(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFDictionary*>(GetTypedEntry(key, ptDictionary, resolveReferences, prefix).get());
}

CPDFObject* CPDFDictionary::GetObject(const std::string& key, bool resolveReferences, const char* prefix) const
{
    return static_cast<CPDFObject*>(GetTypedObjectEntry(key, resolveReferences, prefix).get());
}

void CPDFDictionary::CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys)
{
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& value : GetValues())
        if (value)
            value->CollectReferences(map, visitedKeys);
}

bool CPDFDictionary::HasModifiedContent() const
{
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& value : GetValues())
        if (value && (value->IsModified() || value->HasModifiedContent()))
            return true;
    return false;
}

void CPDFDictionary::FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter,
                                      std::vector<CPDFDictionary*>& result, CPDFKeySet& visitedKeys)
{
    if (MatchesFilter(filter.get())) {
        result.push_back(this);
        return;
    }
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& value : GetValues())
        if (value)
            value->FindDictionaries(filter, result, visitedKeys);
}

CPDFObjectPtr CPDFDictionary::Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument,
                                    CPDFVisitedMap& referenceMap, CPDFKeySet& keySet, bool addToDocument)
{
    CPDFWalkGuard guard;
    boost::shared_ptr<CPDFDictionary> copy(new CPDFDictionary(targetDocument));
    const std::vector<std::string> keys = GetOriginalKeys();
    const std::vector<CPDFObjectPtr> values = GetValues();
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        copy->Set(keys[i],
                  TransferredOrCloned(values[i], sourceDocument, targetDocument, referenceMap, keySet, addToDocument));
    }
    return copy;
}

std::string CPDFDictionary::ToPDFString() const
{
    CPDFWalkGuard guard;
    const std::vector<std::string>& keys = GetOriginalKeys();
    std::string text = "<<\r\n";
    const int count = m_entries.GetSize();
    for (int i = 0; i < count; ++i) {
        const CPDFObjectPtr& value = m_entries.GetAt(i);
        if (!value)
            continue;
        if (value->GetType() == ptRef && static_cast<const CPDFRef*>(value.get())->GetSkip())
            continue;
        if (i > 0)
            text += "\r\n";
        text += EscapePDFName(keys[static_cast<size_t>(i)]);
        if (value->GetType() != ptName)
            text += ' ';
        text += value->ToPDFString();
    }
    text += ">>";
    return text;
}

}  // namespace ZAVPDF
