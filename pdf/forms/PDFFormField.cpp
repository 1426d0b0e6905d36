#include "pdf/forms/PDFFormField.h"

#include <boost/make_shared.hpp>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"

namespace ZAVPDF {

namespace {

// The value an entry stands for: a reference is followed to the direct
// object of its target.
CPDFObjectPtr ResolveEntry(const CPDFObjectPtr& entry)
{
    if (!entry || entry->GetType() != ptRef)
        return entry;
    boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject(nullptr, false);
    if (target && target->HasInnerObject())
        return target->GetInnerObject();
    return entry;
}

CPDFObjectPtr FetchTyped(CPDFDictionary& dictionary, const char* key, int type)
{
    if (!dictionary.HasKey(key))
        return CPDFObjectPtr();
    return dictionary.GetTypedEntry(key, type, true);
}

std::string StringText(const CPDFObjectPtr& object)
{
    return object ? static_cast<CPDFString*>(object.get())->GetText() : std::string();
}

}  // namespace

std::string GetAcroFieldTypeText(int typeCode)
{
    switch (typeCode) {
    case aftButton:
        return "/Btn";
    case aftChoice:
        return "/Ch";
    case aftText:
        return "/Tx";
    case aftSignature:
        return "/Sig";
    default:
        return std::string();
    }
}

CPDFAppearanceDict::CPDFAppearanceDict(CPDFDictionary* dictionary) : m_dictionary(dictionary)
{
    if (dictionary == nullptr)
        ThrowTextException("Appearance dict needs a dictionary");
    if (dictionary->HasKey("/N"))
        m_normal = dictionary->GetDictionary("/N", true);
    if (dictionary->HasKey("/R"))
        m_rollover = dictionary->GetDictionary("/R", true);
    if (dictionary->HasKey("/D"))
        m_down = dictionary->GetDictionary("/D", true);
}

CPDFAcroForm::CPDFAcroForm(int typeCode, int flags, const boost::shared_ptr<CPDFAcroForm>& parent)
    : m_parent(parent), m_typeCode(typeCode), m_flags(flags), m_typeText(GetAcroFieldTypeText(typeCode))
{
}

CPDFAcroForm::~CPDFAcroForm()
{
}

void CPDFAcroForm::SetName(const std::string& name)
{
    m_name = name;
    m_modified = true;
}

void CPDFAcroForm::SetAlternateName(const std::string& name)
{
    m_alternateName = name;
    m_modified = true;
}

void CPDFAcroForm::SetFieldType(const std::string& typeText)
{
    m_typeText = typeText;
    m_modified = true;
}

void CPDFAcroForm::SetValue(const CPDFObjectPtr& value)
{
    if (m_dictionary == nullptr)
        ThrowTextException("No dictionary is present. Can't set value anywhere");
    m_value = value;
    if (value)
        m_dictionary->Set("/V", value);
    m_modified = true;
}

void CPDFAcroForm::SetDefaultValue(const CPDFObjectPtr& value)
{
    if (m_dictionary == nullptr)
        ThrowTextException("No dictionary is present. Can't set value anywhere");
    m_defaultValue = value;
    if (value)
        m_dictionary->Set("/DV", value);
    m_modified = true;
}

boost::shared_ptr<CPDFAcroForm> CPDFAcroForm::GetKid(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_kids.size()))
        ThrowTextException("Kid index out of bounds!");
    return m_kids[static_cast<size_t>(index)];
}

void CPDFAcroForm::AddKid(const boost::shared_ptr<CPDFAcroForm>& kid)
{
    m_kids.push_back(kid);
}

void CPDFAcroForm::SetFieldDictionary(CPDFDictionary* dictionary)
{
    m_dictionary = dictionary;
    m_appearance.reset();
    if (dictionary && dictionary->HasKey("/AP"))
        m_appearance = boost::make_shared<CPDFAppearanceDict>(dictionary->GetDictionary("/AP", true));
}

void CPDFAcroForm::Dump(std::ostream& out)
{
    out << "Name: '" << m_name << "'" << std::endl;
    out << "Alternate Name: '" << m_alternateName << "'" << std::endl;
    if (m_value)
        out << "Value: '" << m_value->ToPDFString() << "'" << std::endl;
    if (m_defaultValue)
        out << "Default value: '" << m_defaultValue->ToPDFString() << "'" << std::endl;
    if (m_dictionary)
        out << "dictionary " << m_dictionary->ToPDFString() << std::endl;
    out << "Number of kids: " << m_kids.size() << std::endl;
    for (const boost::shared_ptr<CPDFAcroForm>& kid : m_kids) {
        kid->Dump(out);
        out << std::string(48, '-') << std::endl;
    }
}

CPDFDictionary* ReferencedDictionary(const CPDFObjectPtr& entry)
{
    if (!entry || entry->GetType() != ptRef)
        return nullptr;
    boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject(nullptr, false);
    if (!target || target->GetInnerType() != ptDictionary)
        return nullptr;
    return static_cast<CPDFDictionary*>(target->GetInnerObject().get());
}

boost::shared_ptr<CPDFAcroForm> BuildFieldTree(CPDFDictionary* fieldDictionary,
                                               const boost::shared_ptr<CPDFAcroForm>& parent)
{
    CPDFFieldTreeReader reader;
    return reader.Build(fieldDictionary, parent);
}

boost::shared_ptr<CPDFAcroForm> CPDFFieldTreeReader::Build(CPDFDictionary* fieldDictionary,
                                                           const boost::shared_ptr<CPDFAcroForm>& parent)
{
    return BuildNode(fieldDictionary, parent, 0);
}

boost::shared_ptr<CPDFAcroForm> CPDFFieldTreeReader::BuildNode(CPDFDictionary* dictionary,
                                                               const boost::shared_ptr<CPDFAcroForm>& parent, int depth)
{
    if (dictionary == nullptr)
        return boost::shared_ptr<CPDFAcroForm>();
    // A dictionary met again lies on a /Kids cycle (or is shared): it is read once.
    if (!m_visited.insert(dictionary).second)
        return boost::shared_ptr<CPDFAcroForm>();
    if (depth >= kPDFMaxFieldTreeDepth)
        ThrowTextException("Form field tree is nested too deeply");

    // Entries the field does not keep are still fetched: one of the wrong
    // type makes the field unreadable all the same.
    CPDFObjectPtr fieldType = FetchTyped(*dictionary, "/FT", ptName);
    FetchTyped(*dictionary, "/Parent", ptDictionary);
    CPDFObjectPtr kids = FetchTyped(*dictionary, "/Kids", ptArray);
    CPDFObjectPtr name = FetchTyped(*dictionary, "/T", ptString);
    CPDFObjectPtr alternateName = FetchTyped(*dictionary, "/TU", ptString);
    FetchTyped(*dictionary, "/TM", ptString);
    CPDFObjectPtr flagsObject;
    if (dictionary->HasKey("/Ff")) {
        CPDFObjectPtr resolved = ResolveEntry(dictionary->Get("/Ff"));
        // The doubled "not" is the message as the program has always written it.
        if (resolved && resolved->GetType() == ptReal)
            ThrowTextException("Flags object in dictionary has invalid type (is number but not not integer)");
        flagsObject = dictionary->GetTypedEntry("/Ff", ptInteger, true);
    }
    CPDFObjectPtr value = dictionary->HasKey("/V") ? ResolveEntry(dictionary->Get("/V")) : CPDFObjectPtr();
    CPDFObjectPtr defaultValue = dictionary->HasKey("/DV") ? ResolveEntry(dictionary->Get("/DV")) : CPDFObjectPtr();
    FetchTyped(*dictionary, "/AA", ptDictionary);

    int flags = flagsObject ? static_cast<CPDFNumber*>(flagsObject.get())->GetInteger() : 0;
    std::string typeText;
    if (fieldType)
        typeText = static_cast<CPDFName*>(fieldType.get())->GetName();
    else if (parent)
        typeText = parent->GetFieldType();

    boost::shared_ptr<CPDFAcroForm> field;
    if (typeText.empty())
        field = boost::make_shared<CPDFAcroForm>(-1, flags, parent);
    else if (typeText == "/Btn")
        field = boost::make_shared<CPDFAcroButton>(flags, parent);
    else if (typeText == "/Tx")
        field = boost::make_shared<CPDFAcroText>(flags, parent);
    else if (typeText == "/Ch")
        field = boost::make_shared<CPDFAcroChoice>(flags, parent);
    else if (typeText == "/Sig")
        field = boost::make_shared<CPDFAcroSig>(flags, parent);
    else
        ThrowTextException(("Type of the acro form field is unknown '" + typeText + "'").c_str());

    // Reading fills the members directly: it must not write into the
    // document or mark anything modified.
    field->SetFieldDictionary(dictionary);
    if (name)
        field->m_name = StringText(name);
    else if (parent)
        field->m_name = parent->GetName();
    if (alternateName)
        field->m_alternateName = StringText(alternateName);
    else if (parent)
        field->m_alternateName = parent->GetAlternateName();

    if (kids) {
        CPDFArray* kidArray = static_cast<CPDFArray*>(kids.get());
        for (int i = 0; i < kidArray->GetCount(); ++i) {
            CPDFDictionary* kidDictionary = ReferencedDictionary(kidArray->Get(i));
            if (kidDictionary == nullptr)
                ThrowTextException("Kid dictionary has invalid object type(is not dictionary)");
            boost::shared_ptr<CPDFAcroForm> kidField = BuildNode(kidDictionary, field, depth + 1);
            if (kidField)
                field->AddKid(kidField);
        }
    }
    field->m_value = value;
    field->m_defaultValue = defaultValue;
    return field;
}

}  // namespace ZAVPDF
