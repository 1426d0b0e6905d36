// One PDF document in memory: its indirect objects (the object map), pages,
// information, cross-reference table and what was read from its file.
#pragma once

#include <boost/shared_ptr.hpp>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pdf/document/PDFCrt.h"
#include "pdf/document/PDFInfo.h"
#include "pdf/objects/PDFObjectBase.h"
#include "pdf/document/PDFPage.h"

namespace ZAV {
class CDataSource;
}

namespace ZAVPDF {

class CPDFFormDict;
class CPDFObject;
class CPDFParser;
class CPDFRef;

// Objects found by a dictionary search, with the keys they stand under.
typedef std::vector<std::pair<std::string, boost::shared_ptr<CPDFObject>>> CPDFFoundObjects;

// Drops the cached targets of the references held directly by root (not
// those of the objects they lead to), so that references that lead around in
// a circle do not keep each other alive.
void ReleaseReferenceCaches(const CPDFObjectPtr& root);
// The same with the walk's stack handed in, so that one serves many roots.
void ReleaseReferenceCaches(const CPDFObjectPtr& root, std::vector<CPDFObjectBase*>& work);

class CPDFDocument {
public:
    CPDFDocument();
    virtual ~CPDFDocument();

    CPDFDocument(const CPDFDocument&) = delete;
    CPDFDocument& operator=(const CPDFDocument&) = delete;

    virtual bool IsUpdateable() const { return false; }
    // The next free object number (the table's size) and generation 0.
    virtual void GetNewObjectNumber(int& objectNumber, int& generation);
    virtual int GetCrtSize() const;
    // What a copy made for an update enters objects with; an updateable
    // document answers with its own operations.
    virtual boost::shared_ptr<CPDFObject> AddUpdateObject(const CPDFObjectPtr& object);
    virtual void AddUpdateObjectTree(const CPDFObjectPtr& object);

    // The fixed-width text that ends the keys of this document's objects.
    const std::string& GetKeyText() const { return *m_keyText; }
    static std::string MakeKeyText(const CPDFDocument* document);
    // The one copy of the document's key text ("" without a document).
    static const std::string* KeyTextOf(const CPDFDocument* document);

    // Reading from a file.
    void Parse();
    // Fills the document information from the file trailer's /Info; a /Info
    // that is missing or cannot be read leaves it as it is.
    void ReadFileInfo();
    // Reads the object reference names from the file through the parser and
    // enters it under its number in the file; empty when the document has no
    // parser. An object the file does not hold stays out of the map.
    boost::shared_ptr<CPDFObject> LoadObject(CPDFRef* reference);
    // One more than the highest number the file's cross-reference table
    // covers, taken when the table has been read; 0 before. New objects are
    // numbered from there on.
    int GetFileTableSize() const { return m_fileTableSize; }
    void SetFileTableSize(int size) { m_fileTableSize = size; }
    // True when number can name an object of the file (always, for a
    // document that read no file).
    bool IsFileObjectNumber(int number) const;
    ZAV::CDataSource* GetDataSource() const { return m_dataSource; }
    void SetDataSource(ZAV::CDataSource* dataSource) { m_dataSource = dataSource; }
    const boost::shared_ptr<CPDFParser>& GetParser() const { return m_parser; }
    void SetParser(const boost::shared_ptr<CPDFParser>& parser) { m_parser = parser; }
    const std::string& GetFileVersion() const { return m_fileVersion; }
    void SetFileVersion(const std::string& text) { m_fileVersion = text; }
    int GetStartXref() const { return m_startXref; }
    void SetStartXref(int offset) { m_startXref = offset; }
    const boost::shared_ptr<CPDFCrt>& GetCrt() const { return m_crt; }
    const boost::shared_ptr<CPDFDictionary>& GetTrailer() const { return m_trailer; }
    const boost::shared_ptr<CPDFFormDict>& GetAcroForm() const { return m_formRoot; }
    void SetAcroForm(const boost::shared_ptr<CPDFFormDict>& formRoot) { m_formRoot = formRoot; }
    const boost::shared_ptr<CPDFDictionary>& GetRootCatalog() const { return m_rootCatalog; }
    void SetRootCatalog(const boost::shared_ptr<CPDFDictionary>& catalog) { m_rootCatalog = catalog; }
    const boost::shared_ptr<CPDFDictionary>& GetCatalogAdditions() const { return m_catalogAdditions; }
    const boost::shared_ptr<CPDFDictionary>& GetFileTrailer() const { return m_fileTrailer; }
    void SetFileTrailer(const boost::shared_ptr<CPDFDictionary>& trailer) { m_fileTrailer = trailer; }
    CPDFObjectPtr GetTrailerInfo() const;
    int GetOptionA() const { return m_optionA; }
    void SetOptionA(int option) { m_optionA = option; }
    int GetOptionB() const { return m_optionB; }
    void SetOptionB(int option) { m_optionB = option; }
    CPDFInfo& GetInfo() { return m_info; }
    const CPDFInfo& GetInfo() const { return m_info; }

    // Pages.
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    boost::shared_ptr<CPDFPage> GetPage(int index) const;
    boost::shared_ptr<CPDFPage> AddPage();
    void RemovePageObjects(int index);
    void AddKidToPages(const CPDFObjectPtr& pagesObject, const CPDFObjectPtr& kid);
    // Takes a page over, copying it when it belongs to another document.
    void ImportPage(const boost::shared_ptr<CPDFObject>& pageObject);

    // The object map.
    boost::shared_ptr<CPDFObject> AddObject(const CPDFObjectPtr& object);
    // Enters an object read from this document's file under the number the
    // file gives it; the table read from the file already holds that number.
    boost::shared_ptr<CPDFObject> AddFileObject(const boost::shared_ptr<CPDFObject>& object);
    void AddObjectTree(const CPDFObjectPtr& object);
    CPDFObjectPtr FindObject(const std::string& key) const;
    boost::shared_ptr<CPDFObject> FindObjectByNumber(int objectNumber, const CPDFDocument* document) const;
    boost::shared_ptr<CPDFObject> FindObjectByKeyText(int objectNumber, const std::string& keyText) const;
    void RemoveObject(int objectNumber);
    // Lets go of an unchanged object read from the file: it leaves the map
    // (when it is the object held there) and the references it holds drop
    // their targets. A later use reads it from the file again.
    void UnloadFileObject(const boost::shared_ptr<CPDFObject>& object);
    void RemoveObjects(const std::vector<CPDFObjectPtr>& objects);
    std::vector<std::string> GetObjectKeys() const;
    // The objects of GetObjectKeys in the same order, empty entries left out.
    std::vector<CPDFObjectPtr> GetObjects() const;
    bool HasObjectKey(const std::string& key) const;
    // True when key names an object of this document rather than one taken over.
    bool IsOwnKey(const std::string& key) const;
    void MapReference(CPDFVisitedMap& visitedMap, CPDFRef* reference, CPDFObjectBase* value);
    void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, CPDFFoundObjects& result);
    void MatchDictionary(const std::string& key, const CPDFObjectPtr& object, const CPDFDictionary* filter,
                         CPDFFoundObjects& result);
    CPDFFoundObjects FindPagesObjects();
    CPDFFoundObjects FindCatalogObjects();
    CPDFFoundObjects FindInfoObjects();
    void RemovePagesObjects();
    void RemoveCatalogObjects();
    void CollectStructureKeys(CPDFKeySet& keySet);
    static void AddKeysToSet(CPDFKeySet& keySet, const CPDFFoundObjects& objects);
    static void AddKeyToSet(CPDFKeySet& keySet, const std::string& key);

    // Writing.
    void Write(std::ostream& stream);
    void WriteHeader(std::ostream& stream);
    void RebuildCrt();
    boost::shared_ptr<CPDFObject> CreatePagesObject();
    boost::shared_ptr<CPDFObject> CreateCatalog(const boost::shared_ptr<CPDFObject>& pagesObject,
                                                const boost::shared_ptr<CPDFObject>& formObject,
                                                const boost::shared_ptr<CPDFObject>& openActionObject,
                                                const boost::shared_ptr<CPDFObject>& namesObject);
    boost::shared_ptr<CPDFObject> CreateInfoObject();
    void SetPageParents(const boost::shared_ptr<CPDFObject>& pagesObject);
    void WriteObjects(std::ostream& stream);
    int WriteCrt(std::ostream& stream);
    // Objects of a file enter the map only when something asks for them;
    // before writing, everything the pages use is read in.
    void LoadWhatThePagesReach();

protected:
    // The own objects of the map, each once, in map order.
    std::vector<boost::shared_ptr<CPDFObject>> GetOwnObjects() const;
    void AddObjectTreeNode(CPDFVisitedMap& visitedMap, const CPDFObjectPtr& object);
    void MarkReferenceVisited(CPDFVisitedMap& visitedMap, CPDFRef* reference, CPDFObjectBase* target);
    void RemoveFoundObjects(const CPDFFoundObjects& objects);

private:
    const std::string* m_keyText;
    std::string m_fileVersion;
    int m_startXref = -1;
    int m_fileTableSize = 0;
    boost::shared_ptr<CPDFCrt> m_crt;
    boost::shared_ptr<CPDFDictionary> m_trailer;
    std::vector<boost::shared_ptr<CPDFPage>> m_pages;
    ZAV::CDataSource* m_dataSource = nullptr;
    boost::shared_ptr<CPDFFormDict> m_formRoot;
    boost::shared_ptr<CPDFDictionary> m_rootCatalog;
    boost::shared_ptr<CPDFDictionary> m_catalogAdditions;
    boost::shared_ptr<CPDFDictionary> m_fileTrailer;
    boost::shared_ptr<CPDFParser> m_parser;
    int m_optionA = 0;
    int m_optionB = 1;
    CPDFInfo m_info;
    // Lookups of the map are not const.
    mutable CPDFObjectMap m_objects;
    // The /Info object of the last write, replaced by the next one.
    boost::shared_ptr<CPDFObject> m_infoObject;
};

}  // namespace ZAVPDF
