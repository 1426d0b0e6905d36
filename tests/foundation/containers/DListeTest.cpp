#include "foundation/containers/DListe.h"
#include "foundation/objects/IsNotNull.h"

#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <vector>

using namespace ZAV;

namespace {

std::vector<int> WalkForward(TDListe<int>& list)
{
    std::vector<int> values;
    if (list.MoveFirst()) {
        do
            values.push_back(*list.GetCurrent());
        while (list.MoveNext());
    }
    return values;
}

}  // namespace

TEST(TDListe, EmptyListHasNoCurrentNode)
{
    TDListe<int> list;
    EXPECT_FALSE(list.MoveFirst());
    EXPECT_FALSE(list.MoveLast());
    EXPECT_FALSE(list.MoveNext());
    EXPECT_EQ(list.GetCurrent(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(TDListe, AddAppendsInOrderAndLinksBothWays)
{
    TDListe<int> list;
    for (int value : {5, 6, 7})
        EXPECT_TRUE(list.Add(value));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(WalkForward(list), (std::vector<int>{5, 6, 7}));

    std::vector<int> backwards;
    for (DElement<int>* node = list.GetTail(); node != nullptr; node = node->previous)
        backwards.push_back(node->data);
    EXPECT_EQ(backwards, (std::vector<int>{7, 6, 5}));
    EXPECT_EQ(list.GetHead()->previous, nullptr);
    EXPECT_EQ(list.GetTail()->next, nullptr);
}

TEST(TDListe, MoveNextAtTheTailKeepsTheCurrentNode)
{
    TDListe<int> list;
    list.Add(1);
    list.Add(2);
    ASSERT_TRUE(list.MoveLast());
    EXPECT_FALSE(list.MoveNext());
    EXPECT_EQ(*list.GetCurrent(), 2);

    list.SetCurrent(list.GetHead());
    EXPECT_EQ(*list.GetCurrent(), 1);
    *list.GetCurrent() = 10;
    EXPECT_EQ(WalkForward(list), (std::vector<int>{10, 2}));
}

TEST(TDListe, RemoveAllEmptiesAndTheListIsUsableAgain)
{
    TDListe<int> list;
    list.Add(1);
    list.Add(2);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrent(), nullptr);
    EXPECT_FALSE(list.MoveFirst());
    list.Add(3);
    EXPECT_EQ(WalkForward(list), (std::vector<int>{3}));
}

TEST(TDListe, ListsOfListsCompareTheirElements)
{
    TDListe<int> inner;
    TDListe<TDListe<int>*> outer;
    outer.Add(&inner);
    ASSERT_TRUE(outer.MoveFirst());
    EXPECT_EQ(*outer.GetCurrent(), &inner);
    EXPECT_TRUE(outer.IsEqual(&inner, &inner));

    EXPECT_TRUE(inner.IsLess(1, 2));
    EXPECT_TRUE(inner.IsLessOrEqual(2, 2));
    EXPECT_TRUE(inner.IsGreater(3, 2));
    EXPECT_TRUE(inner.IsGreaterOrEqual(2, 2));
    EXPECT_TRUE(inner.IsEqual(4, 4));
    EXPECT_TRUE(inner.IsNotEqual(4, 5));
    EXPECT_FALSE(inner.IsLess(2, 2));
}

TEST(IsNotNull, OfSharedPointers)
{
    EXPECT_FALSE(IsNotNull(boost::shared_ptr<int>()));
    EXPECT_TRUE(IsNotNull(boost::shared_ptr<int>(new int(1))));
}
