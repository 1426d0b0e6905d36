// The image-edit object: counting, interface queries, listeners and the
// progress they receive.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

class RecordingListener : public IZAVImageEditListener {
public:
    explicit RecordingListener(int32_t answer = 1) : m_answer(answer) {}
    void OnStart() override { m_events += "S"; }
    void OnEnd() override { m_events += "E"; }
    int32_t OnProgress(double) override
    {
        m_events += "P";
        return m_answer;
    }
    void OnImageReset() override { m_events += "R"; }
    const std::string& Events() const { return m_events; }

private:
    int32_t m_answer;
    std::string m_events;
};

struct ObjectCase {
    const char* name;
    // Returns what the case observed, as text.
    std::function<std::string(IZAVImageEditSp&)> observe;
    const char* expected;
};

std::string Count(IZAVImageEditSp& edit)
{
    return std::to_string(edit.GetRefCount());
}

std::string Slots(CZAVImageEdit& body, const IZAVImageEditListener* a, const IZAVImageEditListener* b)
{
    std::string slots;
    for (int32_t i = 0; i < body.GetListenerSlotCount(); ++i) {
        const IZAVImageEditListener* listener = body.GetListenerAt(i);
        slots += listener == a ? "A" : listener == b ? "B" : "-";
    }
    return slots;
}

TEST(ImageEditObject, EdgeCases)
{
    RecordingListener a;
    RecordingListener b;
    const ObjectCase cases[] = {
        {"fresh object", [](IZAVImageEditSp& e) { return Count(e); }, "1"},
        {"query 16 gives the same object and a reference",
         [](IZAVImageEditSp& e) {
             auto* same = static_cast<IZAVImageEditSp*>(e.QueryInterface(16));
             const std::string seen = std::string(same == &e ? "same " : "other ") + Count(e);
             same->Release();
             return seen + " " + Count(e);
         },
         "same 2 1"},
        {"query 99 refused, count kept",
         [](IZAVImageEditSp& e) { return ThrownText([&] { e.QueryInterface(99); }) + " " + Count(e); },
         "Interface not available! 1"},
        {"views 1, 12, 10 answer and share the count",
         [](IZAVImageEditSp& e) {
             CZAVPtr<IZAVObjectSp> object = e.GetObjectSp();
             CZAVPtr<IZAVViewLayerSp> view = e.GetViewLayerSp();
             CZAVPtr<IZAVImageStandardSp> standard = e.GetImageStandardSp();
             return Count(e) + (object->GetImplementation() == e.GetImageEdit() ? " body" : " other");
         },
         "4 body"},
        {"supports 10 and 62",
         [](IZAVImageEditSp& e) {
             return std::to_string(e.SupportsInterface(10)) + std::to_string(e.SupportsInterface(62));
         },
         "10"},
        {"listeners stored once",
         [&](IZAVImageEditSp& e) {
             e.RegisterObject(&a);
             e.RegisterObject(&b);
             e.RegisterObject(&a);
             return Slots(*e.GetImageEdit(), &a, &b);
         },
         "AB"},
        {"unregistered keeps its slot",
         [&](IZAVImageEditSp& e) {
             e.UnregisterObject(&a);
             return Slots(*e.GetImageEdit(), &a, &b);
         },
         "-B"},
        {"registered again returns to its slot",
         [&](IZAVImageEditSp& e) {
             e.RegisterObject(&a);
             return Slots(*e.GetImageEdit(), &a, &b);
         },
         "AB"},
        {"progress without callbacks or listeners",
         [&](IZAVImageEditSp& e) {
             e.UnregisterObject(&a);
             e.UnregisterObject(&b);
             return std::to_string(e.GetImageEdit()->OnProgress(0.5));
         },
         "1"},
        {"world rectangle after a reset on 640 x 480",
         [](IZAVImageEditSp& e) {
             e.Create(640, 480, zavbpp24);
             const CWorldRect w = e.GetViewLayerSp()->GetWorldRect();
             return std::to_string(int(w.left)) + "," + std::to_string(int(w.top)) + "," +
                    std::to_string(int(w.right)) + "," + std::to_string(int(w.bottom));
         },
         "0,480,640,0"},
    };
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    for (const ObjectCase& c : cases)
        EXPECT_EQ(c.observe(*edit.Get()), c.expected) << c.name;
}

TEST(ImageEditObject, ProgressReachesCallbacksThenListenersInOrder)
{
    static std::string order;
    order.clear();
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    RecordingListener listener;
    edit->SetStartCallback([] { order += "s"; });
    edit->SetEndCallback([] { order += "e"; });
    edit->SetImageResetCallback([] { order += "r"; });
    edit->SetProgressCallback([](double) -> int32_t {
        order += "p";
        return 1;
    });
    edit->RegisterObject(&listener);
    CZAVImageEdit& body = *edit->GetImageEdit();
    body.OnBegin();
    EXPECT_EQ(body.OnProgress(0.25), 1);
    body.OnEnd();
    body.OnImageChanged();
    EXPECT_EQ(order, "sper");
    EXPECT_EQ(listener.Events(), "SPER");
    edit->UnregisterObject(&listener);
}

TEST(ImageEditObject, CancellingListenerLeavesPixelsUnchanged)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(64, 32, zavbpp24);
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    for (int i = 0; i < edit->GetImageSize(); ++i)
        pixels[i] = static_cast<unsigned char>(i * 7);
    CZAVByteArray before(static_cast<unsigned char*>(edit->GetImageData()), edit->GetImageSize());

    RecordingListener cancelling(0);
    edit->RegisterObject(&cancelling);
    EXPECT_EQ(ThrownText([&] { edit->GetImageEdit()->GetImage().InvertImage(); }), "Operation canceled!");
    edit->UnregisterObject(&cancelling);

    ASSERT_EQ(edit->GetImageSize(), before.GetSize());
    EXPECT_EQ(std::memcmp(edit->GetImageData(), before.GetData(), static_cast<size_t>(before.GetSize())), 0);
    EXPECT_NE(cancelling.Events().find('P'), std::string::npos);
}

}  // namespace
