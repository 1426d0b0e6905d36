#include "foundation/containers/ArraySimple.h"
#include "foundation/containers/ArrayString.h"
#include "foundation/text/TextException.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

using namespace ZAV;

typedef CArraySimple<unsigned char, 1> ByteArray;
typedef CArraySimple<int32_t, 2> IntArray;
typedef CArraySimple<double, 3> RealArray;
typedef CArraySimple<std::string, 4> StdStringArray;
typedef CArraySimple<unsigned short, 5> UShortArray;

TEST(CArraySimple, TypeCodesAndElementSizes)
{
    EXPECT_EQ(ByteArray().GetTypeCode(), 1);
    EXPECT_EQ(IntArray().GetTypeCode(), 2);
    EXPECT_EQ(RealArray().GetTypeCode(), 3);
    EXPECT_EQ(StdStringArray().GetTypeCode(), 4);
    EXPECT_EQ(CArrayString().GetTypeCode(), 4);
    EXPECT_EQ(UShortArray().GetTypeCode(), 5);
    // Code 2 crosses interfaces as 32-bit integers whatever the platform's long.
    static_assert(std::is_same_v<decltype(IntArray().GetAt(0)), int32_t>, "type code 2 holds int32_t");
    IntArray ints(std::vector<int32_t>{INT32_MIN, -1, INT32_MAX});
    EXPECT_EQ(ints.GetAt(0), INT32_MIN);
    EXPECT_EQ(ints.GetAt(2), INT32_MAX);
}

TEST(CArraySimple, SetSizeAndSetData)
{
    ByteArray bytes;
    EXPECT_TRUE(bytes.OwnsData());
    bytes.SetSize(5);
    ASSERT_EQ(bytes.GetSize(), 5);
    ASSERT_NE(bytes.GetData(), nullptr);
    bytes.SetSize(0);
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(bytes.GetData(), nullptr);

    const unsigned char source[] = {1, 2, 3};
    bytes.SetData(source, 3);
    EXPECT_EQ(bytes.GetSize(), 3);
    EXPECT_EQ(bytes.GetAt(2), 3);
    EXPECT_NE(bytes.GetData(), source);
    bytes.SetData(nullptr, 3);
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(bytes.GetData(), nullptr);
    bytes.SetData(source, 0);
    EXPECT_EQ(bytes.GetSize(), 0);

    StdStringArray strings;
    strings.SetSize(2);
    EXPECT_EQ(strings.GetAt(0), "");
    EXPECT_EQ(strings.GetAt(1), "");
}

TEST(CArraySimple, SetDataFromItsOwnElements)
{
    IntArray ints(std::vector<int32_t>{10, 20, 30, 40});
    ints.SetData(ints.GetData() + 1, 2);
    ASSERT_EQ(ints.GetSize(), 2);
    EXPECT_EQ(ints.GetAt(0), 20);
    EXPECT_EQ(ints.GetAt(1), 30);
}

TEST(CArraySimple, CopiesAreDeepAndIndependent)
{
    StdStringArray source(std::vector<std::string>{"a", "bb", "ccc"});
    StdStringArray copy(source);
    copy.SetAt(1, "changed");
    EXPECT_EQ(source.GetAt(1), "bb");

    StdStringArray assigned;
    assigned = source;
    EXPECT_TRUE(assigned.IsEqual(source));
    assigned = assigned;
    EXPECT_TRUE(assigned.IsEqual(source));

    RealArray reals(std::vector<double>{0.5, -1.25});
    RealArray other;
    other.Copy(reals);
    EXPECT_TRUE(other.IsEqual(reals));
}

TEST(CArraySimple, IsEqual)
{
    struct Case {
        std::vector<double> first;
        std::vector<double> second;
        bool equal;
    };
    const Case cases[] = {
        {{}, {}, true},
        {{1.0, 2.0}, {1.0, 2.0}, true},
        {{1.0, 2.0}, {1.0, 2.0000001}, false},
        {{1.0}, {1.0, 2.0}, false},
        {{}, {0.0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RealArray(c.first).IsEqual(RealArray(c.second)), c.equal);

    EXPECT_TRUE(
        StdStringArray(std::vector<std::string>{"x", "y"}).IsEqual(StdStringArray(std::vector<std::string>{"x", "y"})));
    EXPECT_FALSE(
        StdStringArray(std::vector<std::string>{"x", "y"}).IsEqual(StdStringArray(std::vector<std::string>{"x", "Y"})));
}

TEST(CArraySimple, ArrayThatDoesNotOwnItsDataLeavesItAlone)
{
    // A block handed out with owns flag 0 stays the taker's to free.
    ByteArray lent(4, 0);
    EXPECT_FALSE(lent.OwnsData());
    ASSERT_EQ(lent.GetSize(), 4);
    unsigned char* block = lent.GetData();
    block[3] = 42;
    lent.RemoveAll();
    EXPECT_EQ(lent.GetSize(), 0);
    EXPECT_EQ(lent.GetData(), nullptr);
    EXPECT_EQ(block[3], 42);  // still alive: not freed by the array
    delete[] block;

    IntArray cleared(std::vector<int32_t>{1, 2});
    int32_t* data = cleared.GetData();
    cleared.SetOwnsData(false);
    cleared.Clear();
    EXPECT_EQ(data[1], 2);
    delete[] data;
}

TEST(CArraySimple, DetachAndAttachHandOverOwnership)
{
    UShortArray values(std::vector<unsigned short>{7, 65535});
    values.SetOwnsData(false);
    unsigned short* data = values.Detach();
    EXPECT_TRUE(values.OwnsData());
    EXPECT_EQ(values.GetSize(), 0);
    EXPECT_EQ(values.GetData(), nullptr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[1], 65535);

    UShortArray taker(std::vector<unsigned short>{1});
    taker.Attach(data, 2);
    EXPECT_EQ(taker.GetSize(), 2);
    EXPECT_EQ(taker.GetData(), data);
    EXPECT_EQ(taker.GetAt(0), 7);
    // taker frees the block; LeakSanitizer checks that it does.
}

// Moving hands the block itself over, with its owns flag, and leaves the
// source an empty array that owns nothing.
TEST(CArraySimple, MovingHandsTheElementsOver)
{
    ByteArray source(std::vector<unsigned char>{1, 2, 3});
    const unsigned char* block = source.GetData();
    ByteArray moved(std::move(source));
    EXPECT_EQ(moved.GetData(), block);
    EXPECT_EQ(moved.GetSize(), 3);
    EXPECT_EQ(moved.GetTypeCode(), 1);
    EXPECT_EQ(source.GetSize(), 0);
    EXPECT_EQ(source.GetData(), nullptr);
    EXPECT_TRUE(source.OwnsData());

    // Assigned over elements of its own: they are freed (LeakSanitizer checks).
    StdStringArray words(std::vector<std::string>{"old"});
    StdStringArray other(std::vector<std::string>{"new", "words"});
    words = std::move(other);
    ASSERT_EQ(words.GetSize(), 2);
    EXPECT_EQ(words.GetAt(1), "words");
    EXPECT_EQ(other.GetSize(), 0);

    // A lent block stays lent after the move.
    ByteArray lent(2, 0);
    unsigned char* lentBlock = lent.GetData();
    ByteArray taker;
    taker = std::move(lent);
    EXPECT_FALSE(taker.OwnsData());
    EXPECT_EQ(taker.GetData(), lentBlock);
    taker.RemoveAll();
    delete[] lentBlock;
}

TEST(CArraySimple, IndexOutsideTheArrayIsRefused)
{
    const std::vector<std::function<void()>> accesses = {
        [] {
            ByteArray(std::vector<unsigned char>{1, 2}).GetAt(2);
        },
        [] {
            ByteArray(std::vector<unsigned char>{1, 2}).GetAt(-1);
        },
        [] { ByteArray().GetAt(0); },
        [] { IntArray(std::vector<int32_t>{1}).SetAt(1, 5); },
        [] { IntArray(std::vector<int32_t>{1}).SetAt(-1, 5); },
        [] { RealArray().SetAt(0, 1.0); },
        [] { StdStringArray(std::vector<std::string>{"a"}).GetAt(INT32_MAX); },
        [] { StdStringArray(std::vector<std::string>{"a"}).SetAt(INT32_MIN, "x"); },
        [] { CArrayString(std::vector<std::string>{"a"}).SetAt(1, "x"); },
        [] {
            UShortArray(std::vector<unsigned short>{1, 2, 3}).GetAt(3);
        },
    };
    for (size_t i = 0; i < accesses.size(); ++i) {
        try {
            accesses[i]();
            ADD_FAILURE() << "access " << i << " was not refused";
        } catch (const CTextException& e) {
            EXPECT_EQ(e.GetCode(), 0);
            EXPECT_NE(std::strstr(e.GetText(), "Invalid array index"), nullptr) << e.GetText();
        }
    }
}

TEST(CArrayString, PointerTableIsBuiltOnceAndEndsWithNull)
{
    CArrayString empty;
    const char** table = empty.GetStringPointers();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[0], nullptr);

    CArrayString strings(std::vector<std::string>{"one", "", "three"});
    const char** pointers = strings.GetStringPointers();
    EXPECT_STREQ(pointers[0], "one");
    EXPECT_STREQ(pointers[1], "");
    EXPECT_STREQ(pointers[2], "three");
    EXPECT_EQ(pointers[3], nullptr);
    EXPECT_EQ(strings.GetStringPointers(), pointers);

    strings.FreeStringPointers();
    EXPECT_EQ(strings.GetSize(), 0);
    EXPECT_EQ(strings.GetStringPointers()[0], nullptr);
}

TEST(CArrayString, PointerTableFollowsChangesOfTheStrings)
{
    CArrayString strings(std::vector<std::string>{"short"});
    strings.GetStringPointers();
    // A longer text moves the string's characters; the table must follow.
    strings.SetAt(0, std::string(200, 'x'));
    EXPECT_EQ(std::strlen(strings.GetStringPointers()[0]), 200u);

    strings.SetSize(2);
    const char** table = strings.GetStringPointers();
    EXPECT_STREQ(table[0], "");
    EXPECT_STREQ(table[1], "");
    EXPECT_EQ(table[2], nullptr);

    CArrayString other(std::vector<std::string>{"p", "q", "r"});
    strings = other;
    table = strings.GetStringPointers();
    EXPECT_STREQ(table[2], "r");
    EXPECT_EQ(table[3], nullptr);

    CArrayString copy(other);
    other.GetStringPointers();
    EXPECT_STREQ(copy.GetStringPointers()[0], "p");
    EXPECT_NE(copy.GetStringPointers(), other.GetStringPointers());
}

namespace {

// An object that counts its destructions, to show each reference the array
// takes is given back exactly once.
class CArrayTestSp final : public CZAVRefCountBase<CArrayTestSp>, public IZAVObjectSpImpl<CArrayTestSp> {
public:
    explicit CArrayTestSp(int* destroyed) : m_destroyed(destroyed) {}
    ~CArrayTestSp() { ++*m_destroyed; }

    void* GetInterfaceView(int32_t id) { return id == zaviidObject ? static_cast<IZAVObjectSp*>(this) : nullptr; }
    void* GetPayload() { return m_destroyed; }

    static CZAVPtr<IZAVObjectSp> Create(int* destroyed)
    {
        return QueryInterfaceSp<IZAVObjectSp>(new CArrayTestSp(destroyed));
    }

private:
    int* m_destroyed;
};

typedef CArraySimple<CZAVPtr<IZAVObjectSp>, 7> ObjectArray;

}  // namespace

TEST(CArraySimple, InterfacePointersAreCountedInAndOut)
{
    int destroyed = 0;
    {
        CZAVPtr<IZAVObjectSp> first = CArrayTestSp::Create(&destroyed);
        CZAVPtr<IZAVObjectSp> second = CArrayTestSp::Create(&destroyed);
        ObjectArray objects;
        EXPECT_EQ(objects.GetTypeCode(), 7);
        objects.SetSize(2);
        EXPECT_TRUE(objects.GetAt(0).IsEmpty());

        objects.SetAt(0, first);
        objects.SetAt(1, first);
        EXPECT_EQ(first->GetRefCount(), 3);
        {
            CZAVPtr<IZAVObjectSp> got = objects.GetAt(0);
            EXPECT_EQ(got.Get(), first.Get());
            EXPECT_EQ(first->GetRefCount(), 4);
        }
        EXPECT_EQ(first->GetRefCount(), 3);

        objects.SetAt(1, second);  // releases the reference it replaces
        EXPECT_EQ(first->GetRefCount(), 2);
        EXPECT_EQ(second->GetRefCount(), 2);

        ObjectArray copy(objects);
        EXPECT_TRUE(copy.IsEqual(objects));
        EXPECT_EQ(first->GetRefCount(), 3);
        copy.SetAt(0, second);
        EXPECT_FALSE(copy.IsEqual(objects));  // by identity, not by content

        objects.RemoveAll();
        EXPECT_EQ(first->GetRefCount(), 1);
        EXPECT_EQ(second->GetRefCount(), 3);
        EXPECT_THROW(objects.GetAt(0), CTextException);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2);
}
