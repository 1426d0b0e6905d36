#include "pdf/document/PDFInfo.h"

#include <ctime>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFString.h"

namespace ZAVPDF {

namespace {

std::string CurrentLocalDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "D:%Y%m%d%H%M%S", &local);
    return text;
}

}  // namespace

CPDFInfo::CPDFInfo(CPDFDocument* document)
    : m_document(document), m_version("1.4"), m_creator("ZAVImage Version 5.0"), m_creationDate(CurrentLocalDate()),
      m_modDate(m_creationDate)
{
}

std::string CPDFInfo::CheckDate(const std::string& text)
{
    std::string date = text.compare(0, 2, "D:") == 0 ? text : "D:" + text;
    if (date.size() != 16)
        ThrowTextException("Invalid PDF date string. A date value has the format 'D:yyyymmddHHMMSS'!");
    return date;
}

void CPDFInfo::TakeFileEntries(const CPDFDictionary& info)
{
    const std::pair<const char*, std::string*> entries[] = {
        {"/Title", &m_title},     {"/Creator", &m_creator},           {"/Producer", &m_producer},
        {"/Author", &m_author},   {"/Subject", &m_subject},           {"/Keywords", &m_keywords},
        {"/ModDate", &m_modDate}, {"/CreationDate", &m_creationDate},
    };
    for (const auto& entry : entries) {
        if (!info.HasKey(entry.first))
            continue;
        // A value of another type, or one that cannot be read, is no text.
        try {
            CPDFObjectPtr value = info.GetTypedEntry(entry.first, ptString, true, nullptr);
            *entry.second = static_cast<const CPDFString*>(value.get())->GetText();
        } catch (const CTextException&) {
        }
    }
}

boost::shared_ptr<CPDFObject> CPDFInfo::CreateInfoDictionary() const
{
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(m_document, dictionary);
    const std::pair<const char*, const std::string*> entries[] = {
        {"/Creator", &m_creator},   {"/Title", &m_title},
        {"/Producer", &m_producer}, {"/Author", &m_author},
        {"/Subject", &m_subject},   {"/Keywords", &m_keywords},
        {"/ModDate", &m_modDate},   {"/CreationDate", &m_creationDate},
    };
    for (const auto& entry : entries)
        if (!entry.second->empty())
            dictionary->SetString(entry.first, *entry.second, false);
    return object;
}

}  // namespace ZAVPDF
