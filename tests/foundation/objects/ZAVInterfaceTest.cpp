#include "foundation/text/TextException.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRefCountBase.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAV;

namespace {

// A payload that counts its destructions, so a double delete or a leak shows.
struct Counter {
    int value;
    int* destroyed;
    ~Counter() { ++*destroyed; }
};

// A value interface shaped like the library's: counting and querying slots,
// then GetObjectSp, then its own.
class ITestCounterSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = 9001;
    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    virtual int GetValue() = 0;

protected:
    ~ITestCounterSp() = default;
};

template <class T>
class ITestCounterSpImpl : public TZAVSpView<T, ITestCounterSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return this->SpObject()->InternalGetObjectSp(); }
    int GetValue() override { return static_cast<Counter*>(this->SpObject()->GetPayload())->value; }
};

class CTestCounterSp final : public CZAVRefCountBase<CTestCounterSp>,
                             public IZAVObjectSpImpl<CTestCounterSp>,
                             public ITestCounterSpImpl<CTestCounterSp> {
public:
    CTestCounterSp(int value, int* destroyed) : m_counter{value, destroyed} {}

    void* GetInterfaceView(int32_t id)
    {
        if (id == zaviidObject)
            return static_cast<IZAVObjectSp*>(this);
        if (id == ITestCounterSp::kInterfaceId)
            return static_cast<ITestCounterSp*>(this);
        return nullptr;
    }
    void* GetPayload() { return &m_counter; }

private:
    Counter m_counter;
};

// Like the encoder: no object view, its own id alone.
class CTestOwnIdOnlySp final : public CZAVRefCountBase<CTestOwnIdOnlySp>,
                               public ITestCounterSpImpl<CTestOwnIdOnlySp> {
public:
    CTestOwnIdOnlySp(int value, int* destroyed) : m_counter{value, destroyed} {}

    void* GetInterfaceView(int32_t id)
    {
        return id == ITestCounterSp::kInterfaceId ? static_cast<ITestCounterSp*>(this) : nullptr;
    }
    void* GetPayload() { return &m_counter; }

private:
    Counter m_counter;
};

template <class Sp>
CZAVPtr<ITestCounterSp> CreateTestSp(int value, int* destroyed)
{
    Sp* object = new Sp(value, destroyed);
    return QueryInterfaceSp<ITestCounterSp>(static_cast<ITestCounterSp*>(object));
}

std::string QueryFailure(IZAVQueryInterfaceSp* object, int32_t id)
{
    try {
        object->QueryInterface(id);
    } catch (const CTextException& e) {
        return e.GetText();
    }
    return "no exception";
}

}  // namespace

TEST(ZAVInterface, FactoryHolderOwnsTheOnlyReference)
{
    int destroyed = 0;
    {
        CZAVPtr<ITestCounterSp> counter = CreateTestSp<CTestCounterSp>(7, &destroyed);
        ASSERT_FALSE(counter.IsEmpty());
        EXPECT_TRUE(counter.Owns());
        EXPECT_EQ(counter->GetRefCount(), 1);
        EXPECT_EQ(counter->GetValue(), 7);
        {
            CZAVPtr<IZAVObjectSp> object = counter->GetObjectSp();
            EXPECT_EQ(counter->GetRefCount(), 2);
            EXPECT_EQ(object->GetRefCount(), 2);  // one count shared by every view
            EXPECT_EQ(static_cast<Counter*>(object->GetImplementation())->value, 7);
        }
        EXPECT_EQ(counter->GetRefCount(), 1);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ZAVInterface, FailedQueryLeavesTheCountAsItWas)
{
    int destroyed = 0;
    {
        CZAVPtr<ITestCounterSp> counter = CreateTestSp<CTestCounterSp>(1, &destroyed);
        for (int32_t id : {int32_t(zaviidRect), int32_t(54), int32_t(0), int32_t(-1)}) {
            EXPECT_EQ(QueryFailure(counter.Get(), id), "Interface not available!") << id;
            EXPECT_EQ(counter->GetRefCount(), 1) << id;
        }
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);

    // An object nobody held yet goes with the failed query, once.
    destroyed = 0;
    auto* orphan = new CTestCounterSp(2, &destroyed);
    EXPECT_EQ(QueryFailure(static_cast<ITestCounterSp*>(orphan), zaviidCast), "Interface not available!");
    EXPECT_EQ(destroyed, 1);
}

TEST(ZAVInterface, LastReleaseThroughAnyViewDestroysOnce)
{
    for (bool throughObjectView : {true, false}) {
        SCOPED_TRACE(throughObjectView ? "object view last" : "interface view last");
        int destroyed = 0;
        CZAVPtr<ITestCounterSp> counter = CreateTestSp<CTestCounterSp>(3, &destroyed);
        CZAVPtr<IZAVObjectSp> object = counter->GetObjectSp();
        ITestCounterSp* interfaceView = counter.Detach();
        IZAVObjectSp* objectView = object.Detach();
        if (throughObjectView) {
            EXPECT_EQ(interfaceView->Release(), 1u);
            EXPECT_EQ(destroyed, 0);
            EXPECT_EQ(objectView->Release(), 0u);
        } else {
            EXPECT_EQ(objectView->Release(), 1u);
            EXPECT_EQ(destroyed, 0);
            EXPECT_EQ(interfaceView->Release(), 0u);
        }
        EXPECT_EQ(destroyed, 1);
    }
}

TEST(ZAVInterface, SupportsInterfaceAnswersWithoutCounting)
{
    int destroyed = 0;
    CZAVPtr<ITestCounterSp> counter = CreateTestSp<CTestCounterSp>(4, &destroyed);
    EXPECT_TRUE(counter->SupportsInterface(zaviidObject));
    EXPECT_TRUE(counter->SupportsInterface(ITestCounterSp::kInterfaceId));
    for (int32_t id : kReservedInterfaceIds)
        EXPECT_FALSE(counter->SupportsInterface(id)) << id;
    EXPECT_FALSE(counter->SupportsInterface(zaviidImageEdit));
    EXPECT_EQ(counter->GetRefCount(), 1);

    // A view reached by query answers the same and shares the count.
    CZAVPtr<IZAVObjectSp> object = QueryInterfaceSp<IZAVObjectSp>(counter.Get());
    EXPECT_EQ(counter->GetRefCount(), 2);
    CZAVPtr<ITestCounterSp> back = QueryInterfaceSp<ITestCounterSp>(object.Get());
    EXPECT_EQ(back.Get(), counter.Get());
    EXPECT_EQ(counter->GetRefCount(), 3);
}

TEST(ZAVInterface, ObjectWithoutObjectViewRefusesIdOne)
{
    int destroyed = 0;
    {
        CZAVPtr<ITestCounterSp> only = CreateTestSp<CTestOwnIdOnlySp>(5, &destroyed);
        EXPECT_EQ(QueryFailure(only.Get(), zaviidObject), "Interface not available!");
        EXPECT_FALSE(only->SupportsInterface(zaviidObject));
        EXPECT_EQ(only->GetRefCount(), 1);
        CZAVPtr<ITestCounterSp> again = QueryInterfaceSp<ITestCounterSp>(only.Get());
        EXPECT_EQ(only->GetRefCount(), 2);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ZAVInterface, HolderReferenceRules)
{
    int destroyed = 0;
    CZAVPtr<ITestCounterSp> first = CreateTestSp<CTestCounterSp>(6, &destroyed);
    {
        CZAVPtr<ITestCounterSp> copy(first);  // a copy holds its own reference
        EXPECT_EQ(first->GetRefCount(), 2);
        CZAVPtr<ITestCounterSp> moved(std::move(copy));  // a move does not
        EXPECT_EQ(first->GetRefCount(), 2);
        EXPECT_TRUE(copy.IsEmpty());

        moved.Assign(moved.Get());  // assigning what it holds keeps the object alive
        EXPECT_EQ(first->GetRefCount(), 2);
        moved = moved;
        EXPECT_EQ(first->GetRefCount(), 2);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(first->GetRefCount(), 1);

    {
        CZAVPtr<ITestCounterSp> borrowed(first.Get(), false);  // not owned: never released
        EXPECT_FALSE(borrowed.Owns());
        borrowed.Assign(first.Get());  // now it holds a reference of its own
        EXPECT_TRUE(borrowed.Owns());
        EXPECT_EQ(first->GetRefCount(), 2);
    }
    EXPECT_EQ(first->GetRefCount(), 1);

    int otherDestroyed = 0;
    CZAVPtr<ITestCounterSp> other = CreateTestSp<CTestCounterSp>(8, &otherDestroyed);
    other = first;  // the old object goes, the new one gains a reference
    EXPECT_EQ(otherDestroyed, 1);
    EXPECT_EQ(first->GetRefCount(), 2);
    other.Reset();
    EXPECT_EQ(first->GetRefCount(), 1);
    EXPECT_TRUE(CZAVPtr<IZAVObjectSp>().IsEmpty());
}
