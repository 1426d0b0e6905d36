#include "foundation/objects/ZAVArrayByteSp.h"
#include "foundation/objects/ZAVArrayDoubleSp.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVArrayStringSp.h"
#include "foundation/objects/ZAVRectSp.h"

#include "foundation/text/TextException.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

using namespace ZAV;

namespace {

typedef CArraySimple<unsigned char, 1> ByteArray;

// An object that counts its destructions.
class IProbeSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = 9101;

protected:
    ~IProbeSp() = default;
};

class CProbeSp final : public CZAVRefCountBase<CProbeSp>,
                       public IZAVObjectSpImpl<CProbeSp>,
                       public TZAVSpView<CProbeSp, IProbeSp> {
public:
    explicit CProbeSp(int* destroyed) : m_destroyed(destroyed) {}
    ~CProbeSp() { ++*m_destroyed; }
    void* GetInterfaceView(int32_t id)
    {
        if (id == zaviidObject)
            return static_cast<IZAVObjectSp*>(this);
        return id == IProbeSp::kInterfaceId ? static_cast<IProbeSp*>(this) : nullptr;
    }
    void* GetPayload() { return nullptr; }

private:
    int* m_destroyed;
};

CZAVPtr<IZAVObjectSp> CreateProbe(int* destroyed)
{
    return QueryInterfaceSp<IZAVObjectSp>(static_cast<IZAVObjectSp*>(new CProbeSp(destroyed)));
}

bool Refused(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CTextException&) {
        return true;
    }
    return false;
}

}  // namespace

TEST(ZAVArraySp, IndexesOutsideTheArrayAreRefused)
{
    CZAVPtr<IZAVArrayDoubleSp> doubles = CreateArrayDoubleSp(CArraySimple<double, 3>(std::vector<double>{1.5, 2.5}));
    CArrayString strings(std::vector<std::string>{"a", "b"});
    CZAVPtr<IZAVArrayStringSp> texts = CreateArrayStringSp(strings);
    CZAVPtr<IZAVArrayByteSp> bytes = CreateArrayByteSp(ByteArray(std::vector<unsigned char>{1, 2}.data(), 2));
    CZAVPtr<IZAVArrayObjectSp> objects = CreateArrayObjectSp();
    objects->SetSize(2);
    CZAVPtr<IZAVRectSp> rect = CreateRectSp(RECT{0, 0, 1, 1});
    CZAVPtr<IZAVObjectSp> object = rect->GetObjectSp();

    for (int32_t index : {-1, 2, 3, INT_MAX, INT_MIN}) {
        EXPECT_TRUE(Refused([&] { doubles->GetAt(index); })) << index;
        EXPECT_TRUE(Refused([&] { doubles->SetAt(index, 9.0); })) << index;
        EXPECT_TRUE(Refused([&] { texts->GetAt(index); })) << index;
        EXPECT_TRUE(Refused([&] { texts->SetAt(index, "x"); })) << index;
        EXPECT_TRUE(Refused([&] { bytes->GetAt(index); })) << index;
        EXPECT_TRUE(Refused([&] { bytes->SetAt(index, 9); })) << index;
        EXPECT_TRUE(Refused([&] { objects->GetAt(index); })) << index;
        EXPECT_TRUE(Refused([&] { objects->SetAt(index, object.Get()); })) << index;
    }
    // Refused stores took no reference and changed nothing.
    EXPECT_EQ(rect->GetRefCount(), 2);
    EXPECT_EQ(doubles->GetAt(1), 2.5);
    EXPECT_EQ(texts->GetAt(1), "b");
    EXPECT_EQ(bytes->GetAt(1), 2);

    // An empty array refuses index 0.
    CZAVPtr<IZAVArrayByteSp> empty = CreateArrayByteSp();
    EXPECT_TRUE(Refused([&] { empty->GetAt(0); }));
}

TEST(ZAVArraySp, ValuesSizesAndEquality)
{
    CZAVPtr<IZAVArrayDoubleSp> doubles = CreateArrayDoubleSp(CArraySimple<double, 3>());
    EXPECT_EQ(doubles->GetSize(), 0);
    EXPECT_TRUE(doubles->IsEqual(CArraySimple<double, 3>()));
    doubles->SetSize(3);
    doubles->SetAt(0, 0.5);
    doubles->SetAt(2, -1.0);
    EXPECT_TRUE(doubles->IsEqual(CArraySimple<double, 3>(std::vector<double>{0.5, 0.0, -1.0})));
    EXPECT_FALSE(doubles->IsEqual(CArraySimple<double, 3>(std::vector<double>{0.5, 0.0})));

    // The factory copies: the caller's array is not the object's.
    CArrayString strings(std::vector<std::string>{"one", "two"});
    CZAVPtr<IZAVArrayStringSp> texts = CreateArrayStringSp(strings);
    texts->SetAt(0, "eins");
    EXPECT_EQ(strings.GetAt(0), "one");
    EXPECT_EQ(texts->GetAt(0), "eins");
    EXPECT_TRUE(texts->IsEqual(CArrayString(std::vector<std::string>{"eins", "two"})));
    texts->SetSize(1);
    EXPECT_EQ(texts->GetSize(), 1);
    EXPECT_EQ(texts->GetAt(0), "");

    CZAVPtr<IZAVArrayByteSp> bytes = CreateArrayByteSp();
    bytes->SetSize(2);
    bytes->SetAt(1, 0xFF);
    const unsigned char expected[] = {0, 0xFF};
    EXPECT_TRUE(bytes->IsEqual(ByteArray(expected, 2)));
}

TEST(ZAVArraySp, ObjectElementsHoldOneReferenceEach)
{
    int destroyed = 0;
    CZAVPtr<IZAVObjectSp> first = CreateProbe(&destroyed);
    CZAVPtr<IZAVObjectSp> second = CreateProbe(&destroyed);
    {
        CZAVPtr<IZAVArrayObjectSp> objects = CreateArrayObjectSp();
        objects->SetSize(2);
        EXPECT_TRUE(objects->GetAt(0).IsEmpty());

        objects->SetAt(0, first.Get());
        objects->SetAt(1, first.Get());
        EXPECT_EQ(first->GetRefCount(), 3);
        {
            CZAVPtr<IZAVObjectSp> element = objects->GetAt(0);
            EXPECT_EQ(element.Get(), first.Get());
            EXPECT_EQ(first->GetRefCount(), 4);
        }
        EXPECT_EQ(first->GetRefCount(), 3);

        // Replacing releases the element's old reference.
        objects->SetAt(1, second.Get());
        EXPECT_EQ(first->GetRefCount(), 2);
        EXPECT_EQ(second->GetRefCount(), 2);

        CZAVObjectPtrArray same;
        same.SetSize(2);
        same.SetAt(0, first);
        same.SetAt(1, second);
        EXPECT_TRUE(objects->IsEqual(same));
        same.SetAt(1, first);
        EXPECT_FALSE(objects->IsEqual(same));
        same.RemoveAll();

        // The array now holds the last reference of the second object.
        second.Reset();
        EXPECT_EQ(destroyed, 0);
        objects->SetAt(0, nullptr);
        EXPECT_EQ(first->GetRefCount(), 1);
    }
    EXPECT_EQ(destroyed, 1);  // the array took the second object with it
    EXPECT_EQ(first->GetRefCount(), 1);
}

TEST(ZAVArraySp, ByteArrayFiles)
{
    ZAVTest::TempDir dir;
    std::vector<unsigned char> values(5000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<unsigned char>(i * 7);
    CZAVPtr<IZAVArrayByteSp> bytes = CreateArrayByteSp(ByteArray(values.data(), int32_t(values.size())));
    EXPECT_TRUE(bytes->SaveToFile(dir.File("bytes.bin")));
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("bytes.bin")), std::vector<uint8_t>(values.begin(), values.end()));
    EXPECT_FALSE(bytes->SaveToFile(dir.File("missing/folder/bytes.bin")));

    CZAVPtr<IZAVArrayByteSp> loaded = CreateArrayByteSp(ByteArray(values.data(), 3));
    loaded->LoadFromFile(dir.File("bytes.bin"));
    EXPECT_TRUE(loaded->IsEqual(ByteArray(values.data(), int32_t(values.size()))));

    // Missing and empty files leave the array empty, without a report.
    loaded->LoadFromFile(dir.File("none.bin"));
    EXPECT_EQ(loaded->GetSize(), 0);
    ZAVTest::WriteBytes(dir.File("empty.bin"), {});
    loaded->SetSize(4);
    loaded->LoadFromFile(dir.File("empty.bin"));
    EXPECT_EQ(loaded->GetSize(), 0);

    CZAVPtr<IZAVArrayByteSp> none = CreateArrayByteSp();
    EXPECT_TRUE(none->SaveToFile(dir.File("nothing.bin")));
    EXPECT_TRUE(ZAVTest::ReadBytes(dir.File("nothing.bin")).empty());
}
