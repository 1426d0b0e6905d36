// The document information: the texts written to the /Info dictionary and
// the version of the file header.
#pragma once

#include <boost/shared_ptr.hpp>

#include <string>

namespace ZAVPDF {

class CPDFDictionary;
class CPDFDocument;
class CPDFObject;

class CPDFInfo {
public:
    explicit CPDFInfo(CPDFDocument* document);

    const std::string& GetVersion() const { return m_version; }
    void SetVersion(const std::string& text) { m_version = text; }
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& text) { m_title = text; }
    const std::string& GetCreator() const { return m_creator; }
    void SetCreator(const std::string& text) { m_creator = text; }
    const std::string& GetProducer() const { return m_producer; }
    void SetProducer(const std::string& text) { m_producer = text; }
    // The application that saved the document; kept, never written.
    const std::string& GetText5() const { return m_savedBy; }
    void SetText5(const std::string& text) { m_savedBy = text; }
    const std::string& GetCreationDate() const { return m_creationDate; }
    void SetCreationDate(const std::string& text) { m_creationDate = CheckDate(text); }
    const std::string& GetModDate() const { return m_modDate; }
    void SetModDate(const std::string& text) { m_modDate = CheckDate(text); }
    const std::string& GetAuthor() const { return m_author; }
    void SetAuthor(const std::string& text) { m_author = text; }
    const std::string& GetSubject() const { return m_subject; }
    void SetSubject(const std::string& text) { m_subject = text; }
    const std::string& GetKeywords() const { return m_keywords; }
    void SetKeywords(const std::string& text) { m_keywords = text; }

    // "D:" in front when missing; the result must be "D:yyyymmddHHMMSS".
    static std::string CheckDate(const std::string& text);

    // Takes each text the dictionary (a file's /Info) holds as a string,
    // directly or through a reference; a text it lacks keeps its value here.
    // Dates are taken as the file writes them.
    void TakeFileEntries(const CPDFDictionary& info);

    // A new indirect object holding the /Info dictionary of the texts that
    // are set; it is not entered into the document.
    boost::shared_ptr<CPDFObject> CreateInfoDictionary() const;

private:
    CPDFDocument* m_document;
    std::string m_version;
    std::string m_title;
    std::string m_creator;
    std::string m_producer;
    std::string m_savedBy;
    std::string m_creationDate;
    std::string m_modDate;
    std::string m_author;
    std::string m_subject;
    std::string m_keywords;
};

}  // namespace ZAVPDF
