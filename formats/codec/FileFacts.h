// The file facts a decoder reports: entries of the image-information list
// the image object has put in use. Without a list in use (a decoder called
// on its own) the facts go nowhere.
#pragma once

#include <string>

namespace ZAV {

class CZAVImg;
class CNameVariantPairs;

class CFileFacts {
public:
    explicit CFileFacts(CZAVImg& image);

    void SetInt(const char* key, int value);
    void SetText(const char* key, const std::string& value);

private:
    CNameVariantPairs* m_list;
};

}  // namespace ZAV
