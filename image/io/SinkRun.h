// Tells the progress sink a coding run began, and that it ended whichever
// way it ends.
#pragma once

#include "foundation/IProgressNotification.h"

namespace ZAV {

class CSinkRun {
public:
    explicit CSinkRun(IProgressNotification* sink) : m_sink(sink)
    {
        if (m_sink)
            m_sink->OnBegin();
    }
    ~CSinkRun()
    {
        if (m_sink)
            m_sink->OnEnd();
    }
    CSinkRun(const CSinkRun&) = delete;
    CSinkRun& operator=(const CSinkRun&) = delete;

private:
    IProgressNotification* m_sink;
};

}  // namespace ZAV
