// CNameValuePairs: a set of named texts that remembers the order in which
// each name was first set. Names are case-sensitive.
#pragma once

#include <string>

#include "foundation/containers/NamedPairs.h"

namespace ZAV {

class CNameValuePairs : public TNamedPairs<std::string> {
public:
    typedef CPairsHash CNameValuePairsHash;
};

}  // namespace ZAV
