#include "foundation/containers/IndexedVectorMap.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

typedef boost::shared_ptr<std::string> Value;
typedef CIndexedVectorMap<Value> SharedMap;

Value Make(const char* text)
{
    return Value(new std::string(text));
}

}  // namespace

TEST(CIndexedVectorMap, KeepsInsertionOrderAndReplacesInPlace)
{
    SharedMap map(10);
    EXPECT_TRUE(map.IsCaseSensitive());
    map.Set("b", Make("1"));
    map.Set("a", Make("2"));
    map.Set("c", Make("3"));
    map.Set("b", Make("4"));
    ASSERT_EQ(map.GetSize(), 3);
    EXPECT_EQ(*map.GetAt(0), "4");
    EXPECT_EQ(*map.GetAt(1), "2");
    EXPECT_EQ(*map.GetAt(2), "3");
    EXPECT_EQ(map.Find("c"), 2);
    EXPECT_EQ(*map.GetEntry("a"), "2");
    EXPECT_EQ(map.GetOriginalKeys(), nullptr);
}

TEST(CIndexedVectorMap, CaseFolding)
{
    struct Case {
        bool caseSensitive;
        const char* lookup;
        int index;  // after adding Type at index 0 and Other at index 1
    };
    const Case cases[] = {
        {false, "Type", 0}, {false, "TYPE", 0}, {false, "type", 0}, {false, "tYpE", 0},
        {false, "Types", -1}, {true, "Type", 0}, {true, "TYPE", -1}, {true, "type", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lookup) + (c.caseSensitive ? " sensitive" : " folded"));
        SharedMap map(10);
        map.SetCaseSensitive(c.caseSensitive);
        map.Add("Type", Make("t"));
        map.Add("Other", Make("o"));
        EXPECT_EQ(map.Find(c.lookup), c.index);
        EXPECT_EQ(map.Contains(c.lookup), c.index >= 0);
    }
}

TEST(CIndexedVectorMap, FoldedMapReplacesAndKeepsTheFirstSpelling)
{
    SharedMap folded(10);
    folded.SetCaseSensitive(false);
    folded.SetStoreOriginalKeys(true);
    folded.Set("Type", Make("first"));
    folded.Set("type", Make("second"));
    EXPECT_EQ(folded.GetSize(), 1);
    EXPECT_EQ(*folded.GetEntry("TYPE"), "second");
    ASSERT_NE(folded.GetOriginalKeys(), nullptr);
    EXPECT_EQ(*folded.GetOriginalKeys(), std::vector<std::string>{"Type"});

    SharedMap sensitive(10);
    sensitive.Set("Type", Make("first"));
    sensitive.Set("type", Make("second"));
    EXPECT_EQ(sensitive.GetSize(), 2);
    EXPECT_EQ(*sensitive.GetEntry("Type"), "first");
}

TEST(CIndexedVectorMap, RemovedEntryLeavesAnEmptySlot)
{
    SharedMap map(10);
    map.SetStoreOriginalKeys(true);
    map.Set("one", Make("1"));
    map.Set("two", Make("2"));
    map.Set("three", Make("3"));
    Value removed = map.GetAt(1);
    map.RemoveEntry("two", Value());

    EXPECT_FALSE(map.Contains("two"));
    EXPECT_EQ(map.GetSize(), 3);
    EXPECT_EQ(map.GetCount(), 2);  // keys still in the index
    EXPECT_EQ(map.Find("three"), 2);
    EXPECT_EQ(map.GetAt(1), nullptr);
    EXPECT_EQ(removed.use_count(), 1);  // the map let go of it
    EXPECT_EQ(*map.GetOriginalKeys(), (std::vector<std::string>{"one", "", "three"}));

    // A walk by position meets the empty slot and skips it.
    std::vector<std::string> present;
    for (int32_t i = 0; i < map.GetSize(); ++i) {
        if (map.GetAt(i))
            present.push_back(*map.GetAt(i));
    }
    EXPECT_EQ(present, (std::vector<std::string>{"1", "3"}));

    map.Set("two", Make("again"));
    EXPECT_EQ(map.Find("two"), 3);
    EXPECT_EQ(map.GetSize(), 4);
    EXPECT_EQ(map.GetOriginalKeys()->back(), "two");
}

TEST(CIndexedVectorMap, RemoveInAFoldedMapTakesAnySpelling)
{
    SharedMap map(10);
    map.SetCaseSensitive(false);
    map.Set("Length", Make("5"));
    map.RemoveEntry("LENGTH", Value());
    EXPECT_FALSE(map.Contains("Length"));
    EXPECT_EQ(map.GetSize(), 1);
}

TEST(CIndexedVectorMap, RefusalsAndTheirTexts)
{
    SharedMap map(10);
    map.Set("one", Make("1"));
    map.Set("two", Make("2"));
    EXPECT_EQ(map.Find("Missing"), -1);
    EXPECT_EQ(ThrownText([&] { map.Find("Missing", true); }), "Entry 'Missing' not found!");
    EXPECT_EQ(ThrownText([&] { map.GetEntry("Missing"); }), "Entry 'Missing' not available!");
    EXPECT_EQ(ThrownText([&] { map.GetAt(2); }), "Invalid index '2'");
    EXPECT_EQ(ThrownText([&] { map.GetAt(-1); }), "Invalid index '-1'");
    EXPECT_EQ(ThrownText([&] { map.RemoveEntry("Missing", Value()); }), "Entry 'Missing' not found!");
    EXPECT_EQ(map.GetSize(), 2);
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_EQ(*map.GetAt(1), "2");
    // A key with a percent sign is quoted as it stands.
    EXPECT_EQ(ThrownText([&] { map.GetEntry("%s%n"); }), "Entry '%s%n' not available!");
}

TEST(CIndexedVectorMap, ClearEmptiesEverything)
{
    SharedMap map(3);
    map.SetStoreOriginalKeys(true);
    Value held = Make("x");
    for (int i = 0; i < 50; ++i)
        map.Set("k" + std::to_string(i), held);
    EXPECT_EQ(held.use_count(), 51);
    map.Clear();
    EXPECT_EQ(held.use_count(), 1);
    EXPECT_EQ(map.GetSize(), 0);
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_TRUE(map.GetOriginalKeys()->empty());
    map.Set("k1", held);
    EXPECT_EQ(map.Find("k1"), 0);
}

TEST(CIndexedVectorMap, PlainPointerValuesStayTheOwnersOwn)
{
    int owned[3] = {1, 2, 3};
    {
        CIndexedVectorMap<int*> map(100);
        for (int& value : owned)
            map.Set(std::to_string(value), &value);
        EXPECT_EQ(map.GetEntry("2"), &owned[1]);
        map.GetEntry("2") = &owned[2];
        EXPECT_EQ(*map.GetAt(1), 3);
    }
    EXPECT_EQ(owned[2], 3);
}
