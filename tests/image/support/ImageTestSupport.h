// Helpers the image tests share: a progress sink that records its calls and
// answers as told, and a concrete image over the image base.
#pragma once

#include <string>

#include "foundation/IProgressNotification.h"
#include "image/core/ZAVImgBase.h"

namespace ZAVTest {

class CRecordingSink : public ZAV::IProgressNotification {
public:
    // Answers 0 to every progress report from the cancelAt-th (1-based) on;
    // 0 never cancels.
    explicit CRecordingSink(int cancelAt = 0) : m_cancelAt(cancelAt) {}

    int OnProgress(double fraction) override
    {
        ++progressCalls;
        lastFraction = fraction;
        return m_cancelAt > 0 && progressCalls >= m_cancelAt ? 0 : 1;
    }
    void OnBegin() override { ++beginCalls; }
    void OnEnd() override { ++endCalls; }
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    void OnImageChanged() override { ++changedCalls; }

    int beginCalls = 0;
    int progressCalls = 0;
    int endCalls = 0;
    int changedCalls = 0;
    double lastFraction = -1.0;

private:
    int m_cancelAt;
};

class CTestImage : public ZAV::CZAVImgBase {
public:
    explicit CTestImage(ZAV::IProgressNotification* sink = nullptr) : CZAVImgBase(sink) {}
    const char* GetClassName() const override { return "CTestImage"; }
    COLORREF GetTransparentColor() const override { return m_transparent; }
    void SetTransparentColor(COLORREF color) override { m_transparent = color; }
    void ReleaseExtras() override { ++releaseExtrasCalls; }

    int releaseExtrasCalls = 0;

private:
    COLORREF m_transparent = 0xFFFFFF;
};

}  // namespace ZAVTest
