// Adds pages to an existing PDF file without rewriting it: the file's
// cross-reference chain and trailer are read, pages are taken over from
// other documents, and one update section is appended to the file.
#pragma once

#include <boost/shared_ptr.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "pdf/document/PDFDocument.h"

namespace ZAVPDF {

class CPDFUpdateableDocument : public CPDFDocument {
public:
    CPDFUpdateableDocument();
    ~CPDFUpdateableDocument() override;

    bool IsUpdateable() const override { return true; }
    // The larger of the file's table size and the update table's size.
    void GetNewObjectNumber(int& objectNumber, int& generation) override;
    int GetCrtSize() const override;
    boost::shared_ptr<CPDFObject> AddUpdateObject(const CPDFObjectPtr& object) override;
    void AddUpdateObjectTree(const CPDFObjectPtr& object) override;

    // Reads the file's cross-reference chain, trailer and catalog; nothing
    // is read when the file does not exist (the update then writes it whole).
    void ReadIncrementalUpdateFile(const char* fileName);
    // Takes a page over (copying it from its own document) as a new page.
    void ImportPage(const boost::shared_ptr<CPDFObject>& pageObject);
    // Appends the update to the file, or writes the whole document when the
    // file does not exist. A failure leaves the file as it was.
    void WriteUpdate(const char* fileName);
    // Appends every modified indirect object reachable from object, each
    // once, and enters it into updateTable.
    void UpdateObject(CPDFVisitedMap& visited, const CPDFObjectPtr& object, std::ostream& stream, CPDFCrt& updateTable);

    boost::shared_ptr<CPDFObject> AddObject(const CPDFObjectPtr& object) { return AddUpdateObject(object); }
    void AddObjectTree(const CPDFObjectPtr& object) { AddUpdateObjectTree(object); }
    const boost::shared_ptr<CPDFCrt>& GetUpdateCrt() const { return m_updateCrt; }

private:
    struct WrittenObject {
        int number;
        int generation;
        int offset;
    };

    void AppendUpdate(std::ostream& stream);
    void RebuildUpdateCrt(const std::vector<WrittenObject>& written);
    void ReadOldPageTreeRoot();
    void ReadOldForm();

    boost::shared_ptr<CPDFCrt> m_updateCrt;
    bool m_read = false;
    // The file's page tree root, read as the file holds it (its own number),
    // so the update can hang it under the new root.
    boost::shared_ptr<CPDFObject> m_oldPagesRoot;
    int m_oldPageCount = 0;
};

}  // namespace ZAVPDF
