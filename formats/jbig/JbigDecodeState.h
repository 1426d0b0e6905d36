// CJbigDecodeState: JBIG-KIT's decoder state, initialised when made and
// freed with the holder.
#pragma once

#include "formats/jbig/JbigKit.h"

namespace ZAV {

class CJbigDecodeState {
public:
    CJbigDecodeState() { jbg_dec_init(&m_state); }
    ~CJbigDecodeState() { jbg_dec_free(&m_state); }
    CJbigDecodeState(const CJbigDecodeState&) = delete;
    CJbigDecodeState& operator=(const CJbigDecodeState&) = delete;

    jbg_dec_state* Get() { return &m_state; }

private:
    jbg_dec_state m_state{};
};

}  // namespace ZAV
