// The progress sink that long operations report to: images, kernels, data
// sources and the worker thread.
#pragma once

namespace ZAV {

class IProgressNotification {
public:
    virtual ~IProgressNotification() {}
    // The fraction done, 0..1; an answer of 0 asks the caller to stop.
    virtual int OnProgress(double fraction) = 0;
    virtual void OnBegin() = 0;
    virtual void OnEnd() = 0;
    virtual void OnThreadStarted() = 0;
    virtual void OnThreadFinished(int result) = 0;
    virtual void OnImageChanged() = 0;
};

}  // namespace ZAV
