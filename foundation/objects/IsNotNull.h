// IsNotNull: whether a smart pointer (boost::shared_ptr, CZAVPtr) holds an
// object.
#pragma once

namespace ZAV {

template <class P>
bool IsNotNull(const P& pointer)
{
    return static_cast<bool>(pointer);
}

}  // namespace ZAV
