// The fields of an interactive form: one object per field dictionary, in
// the tree that /Kids spans, each keeping what it read and its dictionary
// so that a new value can be written back.
#pragma once

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFDictionary;

enum AcroFieldType {
    aftButton = 0,     // "/Btn"
    aftChoice = 1,     // "/Ch"
    aftText = 2,       // "/Tx"
    aftSignature = 3,  // "/Sig"
};

// The type text of a field type code; empty for any other code.
std::string GetAcroFieldTypeText(int typeCode);

// A field's /AP dictionary with its normal, rollover and down appearances.
class CPDFAppearanceDict {
public:
    explicit CPDFAppearanceDict(CPDFDictionary* dictionary);

    CPDFDictionary* GetDictionary() const { return m_dictionary; }
    CPDFDictionary* GetNormal() const { return m_normal; }
    CPDFDictionary* GetRollover() const { return m_rollover; }
    CPDFDictionary* GetDown() const { return m_down; }

private:
    CPDFDictionary* m_dictionary;
    CPDFDictionary* m_normal = nullptr;
    CPDFDictionary* m_rollover = nullptr;
    CPDFDictionary* m_down = nullptr;
};

class CPDFAcroForm {
public:
    CPDFAcroForm(int typeCode, int flags, const boost::shared_ptr<CPDFAcroForm>& parent);
    virtual ~CPDFAcroForm();

    CPDFAcroForm(const CPDFAcroForm&) = delete;
    CPDFAcroForm& operator=(const CPDFAcroForm&) = delete;

    virtual void Dump(std::ostream& out);

    std::string GetName() const { return m_name; }
    void SetName(const std::string& name);
    std::string GetAlternateName() const { return m_alternateName; }
    void SetAlternateName(const std::string& name);
    std::string GetFieldType() const { return m_typeText; }
    void SetFieldType(const std::string& typeText);

    CPDFObjectPtr GetValue() const { return m_value; }
    // Stores the value and writes it into the field dictionary as /V.
    void SetValue(const CPDFObjectPtr& value);
    CPDFObjectPtr GetDefaultValue() const { return m_defaultValue; }
    // Stores the value and writes it into the field dictionary as /DV.
    void SetDefaultValue(const CPDFObjectPtr& value);

    boost::shared_ptr<CPDFAcroForm> GetKid(int index) const;
    void AddKid(const boost::shared_ptr<CPDFAcroForm>& kid);
    int GetKidCount() const { return static_cast<int>(m_kids.size()); }

    // Attaches the field's dictionary and wraps its /AP when it has one;
    // the dictionary itself is left as it is.
    void SetFieldDictionary(CPDFDictionary* dictionary);
    CPDFDictionary* GetFieldDictionary() const { return m_dictionary; }
    const boost::shared_ptr<CPDFAppearanceDict>& GetAppearance() const { return m_appearance; }

    boost::shared_ptr<CPDFAcroForm> GetParent() const { return m_parent.lock(); }
    int GetTypeCode() const { return m_typeCode; }
    int GetFlags() const { return m_flags; }
    bool IsModified() const { return m_modified; }

private:
    friend class CPDFFieldTreeReader;

    CPDFDictionary* m_dictionary = nullptr;
    boost::shared_ptr<CPDFAppearanceDict> m_appearance;
    // Kids are owned by their parent; the way up must not own, or every
    // field tree would keep itself alive.
    boost::weak_ptr<CPDFAcroForm> m_parent;
    int m_typeCode;
    std::vector<boost::shared_ptr<CPDFAcroForm>> m_kids;
    int m_flags;
    CPDFObjectPtr m_defaultValue;
    CPDFObjectPtr m_value;
    std::string m_name;
    std::string m_typeText;
    std::string m_alternateName;
    bool m_modified = false;
};

class CPDFAcroButton : public CPDFAcroForm {
public:
    CPDFAcroButton(int flags, const boost::shared_ptr<CPDFAcroForm>& parent) : CPDFAcroForm(aftButton, flags, parent) {}
};

class CPDFAcroChoice : public CPDFAcroForm {
public:
    CPDFAcroChoice(int flags, const boost::shared_ptr<CPDFAcroForm>& parent) : CPDFAcroForm(aftChoice, flags, parent) {}
};

class CPDFAcroText : public CPDFAcroForm {
public:
    CPDFAcroText(int flags, const boost::shared_ptr<CPDFAcroForm>& parent) : CPDFAcroForm(aftText, flags, parent) {}
};

class CPDFAcroSig : public CPDFAcroForm {
public:
    CPDFAcroSig(int flags, const boost::shared_ptr<CPDFAcroForm>& parent) : CPDFAcroForm(aftSignature, flags, parent) {}
};

// The indirect dictionary an entry refers to; null for anything else.
CPDFDictionary* ReferencedDictionary(const CPDFObjectPtr& entry);

// Reads one field dictionary and its kids into a field tree (null for a
// null dictionary). Reading leaves the document as it was.
boost::shared_ptr<CPDFAcroForm> BuildFieldTree(CPDFDictionary* fieldDictionary,
                                               const boost::shared_ptr<CPDFAcroForm>& parent);

// Reads several trees that share one memory of visited dictionaries, so a
// dictionary reached twice (a /Kids cycle) is read only once.
class CPDFFieldTreeReader {
public:
    boost::shared_ptr<CPDFAcroForm> Build(CPDFDictionary* fieldDictionary,
                                          const boost::shared_ptr<CPDFAcroForm>& parent);

private:
    boost::shared_ptr<CPDFAcroForm> BuildNode(CPDFDictionary* fieldDictionary,
                                              const boost::shared_ptr<CPDFAcroForm>& parent, int depth);
    std::set<const CPDFDictionary*> m_visited;
};

}  // namespace ZAVPDF
