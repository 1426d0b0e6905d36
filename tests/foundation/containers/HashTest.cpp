#include "foundation/containers/Hash.h"
#include "foundation/containers/Set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace ZAV;

namespace {

class StringIntHash : public THash<std::string, int> {
public:
    StringIntHash(int32_t growFlag, uint32_t bucketCount) : THash(growFlag, bucketCount) {}
    uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
    int CreateDefaultValue() const override { return -7; }
};

class IntIntHash : public THash<int, int> {
public:
    IntIntHash(int32_t growFlag, uint32_t bucketCount) : THash(growFlag, bucketCount) {}
    uint32_t GetHashValue(const int& key) const override { return static_cast<uint32_t>(key); }
    int CreateDefaultValue() const override { return 0; }
};

std::vector<std::pair<std::string, int>> Walk(const StringIntHash& hash)
{
    std::vector<std::pair<std::string, int>> entries;
    StringIntHash::Position position = StringIntHash::BeforeFirst;
    std::string key;
    int value = 0;
    while (hash.GetNextAssoc(position, key, value))
        entries.emplace_back(key, value);
    EXPECT_EQ(position, StringIntHash::AfterLast);
    return entries;
}

int CompareNoCase(const std::string* nodeKey, const std::string* key)
{
    return strcasecmp(nodeKey->c_str(), key->c_str());
}

}  // namespace

TEST(StringHash, ValuesTakeBytesAsSigned)
{
    struct Case {
        std::string text;
        uint32_t hash;
    };
    const Case cases[] = {
        {"", 0u},
        {"a", 97u},
        {"ab", 97u * 33u + 98u},
        {"\xE9", static_cast<uint32_t>(-23)},
        {"a\xE9", 97u * 33u - 23u},
        {"\xFF\x80", static_cast<uint32_t>(-1) * 33u - 128u},
        {"Type", ((84u * 33u + 121u) * 33u + 112u) * 33u + 101u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringHashValue(c.text), c.hash) << "text of " << c.text.size() << " bytes";
}

TEST(StringHash, WrapsInUnsigned32Bits)
{
    // Long texts overflow 32 bits many times; the value is the sum modulo 2^32.
    std::string text(40, 'z');
    uint64_t expected = 0;
    for (char c : text)
        expected = (expected * 33u + static_cast<uint64_t>(c)) & 0xFFFFFFFFu;
    EXPECT_EQ(StringHashValue(text), static_cast<uint32_t>(expected));
}

TEST(THash, GrowsAtThreeQuartersLoad)
{
    struct Case {
        uint32_t initialBuckets;
        int entriesBeforeGrowth;  // the table still has its first size with these
        uint32_t grownBuckets;    // after one more entry
    };
    const Case cases[] = {
        {17, 13, 100},   // 13 > (int)12.75 only when the 14th arrives
        {100, 76, 160},  // 76 > 75
        {160, 121, 256},
        {1000, 751, 1600},
        {1, 1, 100},     // growth is at least to 100 buckets
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.initialBuckets);
        IntIntHash hash(1, c.initialBuckets);
        for (int i = 0; i < c.entriesBeforeGrowth; ++i)
            hash[i] = i;
        EXPECT_EQ(hash.GetBucketCount(), c.initialBuckets);
        hash[c.entriesBeforeGrowth] = 1;
        EXPECT_EQ(hash.GetBucketCount(), c.grownBuckets);
        EXPECT_EQ(hash.GetCount(), c.entriesBeforeGrowth + 1);
        for (int i = 0; i < c.entriesBeforeGrowth; ++i) {
            int value = -1;
            ASSERT_TRUE(hash.Lookup(i, value)) << i;
            EXPECT_EQ(value, i);
        }
    }
}

TEST(THash, WithoutGrowFlagKeepsItsSize)
{
    IntIntHash hash(0, 3);
    for (int i = 0; i < 50; ++i)
        hash[i] = i * 2;
    EXPECT_EQ(hash.GetBucketCount(), 3u);
    EXPECT_EQ(hash.GetCount(), 50);
    int value = 0;
    ASSERT_TRUE(hash.Lookup(49, value));
    EXPECT_EQ(value, 98);
}

TEST(THash, FindOrInsertStartsWithTheDefaultValue)
{
    StringIntHash hash(1, 10);
    EXPECT_FALSE(hash.HasKey("x"));
    EXPECT_EQ(hash.FindOrInsert("x"), -7);
    hash["x"] = 5;
    EXPECT_EQ(hash.FindOrInsert("x"), 5);
    EXPECT_EQ(hash.GetCount(), 1);
}

TEST(THash, ResizeToZeroIsRefused)
{
    StringIntHash hash(1, 10);
    hash["a"] = 1;
    try {
        hash.Resize(0);
        FAIL() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_STREQ(e.GetText(), "Invalid hashtable size!");
    }
    EXPECT_EQ(hash.GetBucketCount(), 10u);
    EXPECT_TRUE(hash.HasKey("a"));
}

TEST(THash, TableMadeWithoutBucketsFindsNothingAndRefusesInserts)
{
    StringIntHash hash(1, 0);
    EXPECT_FALSE(hash.HasKey("a"));
    EXPECT_FALSE(hash.Remove("a"));
    EXPECT_THROW(hash["a"], CTextException);
    EXPECT_EQ(hash.GetCount(), 0);
}

TEST(THash, ResizeKeepsEveryEntry)
{
    StringIntHash hash(0, 7);
    for (int i = 0; i < 30; ++i)
        hash["k" + std::to_string(i)] = i;
    hash.Resize(101);
    EXPECT_EQ(hash.GetCount(), 30);
    EXPECT_EQ(Walk(hash).size(), 30u);
    for (int i = 0; i < 30; ++i) {
        int value = -1;
        ASSERT_TRUE(hash.Lookup("k" + std::to_string(i), value));
        EXPECT_EQ(value, i);
    }
}

TEST(THash, IteratesBucketsInOrderAndEachChainFromItsHead)
{
    // 10 buckets, keys hashing to themselves: 3 and 13 share bucket 3, the
    // newer one at the head of the chain.
    IntIntHash hash(0, 10);
    for (int key : {3, 7, 13, 0})
        hash[key] = key * 10;
    std::vector<int> keys;
    IntIntHash::Position position = IntIntHash::BeforeFirst;
    int key = 0;
    int value = 0;
    while (hash.GetNextAssoc(position, key, value)) {
        EXPECT_EQ(value, key * 10);
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<int>{0, 13, 3, 7}));
}

TEST(THash, IterationOfEmptyAndSingleEntryTables)
{
    StringIntHash hash(1, 10);
    StringIntHash::Position position = StringIntHash::BeforeFirst;
    std::string key = "unchanged";
    int value = 0;
    EXPECT_FALSE(hash.GetNextAssoc(position, key, value));
    EXPECT_EQ(position, StringIntHash::AfterLast);
    EXPECT_EQ(key, "unchanged");

    hash["only"] = 3;
    position = StringIntHash::BeforeFirst;
    ASSERT_TRUE(hash.GetNextAssoc(position, key, value));
    EXPECT_EQ(key, "only");
    EXPECT_EQ(value, 3);
    EXPECT_EQ(position, StringIntHash::AfterLast);
    EXPECT_FALSE(hash.GetNextAssoc(position, key, value));
}

TEST(THash, RemoveMatchesKeysAsTheLookupDoes)
{
    struct Case {
        const char* name;
        bool withCallback;
        const char* stored;
        const char* removed;
        bool removes;
    };
    // With a case-blind callback every spelling found by the look-up also
    // removes; without one only the exact key does. The two keys go into one
    // bucket so the removal has to walk the chain.
    const Case cases[] = {
        {"exact key, no callback", false, "Name", "Name", true},
        {"other case, no callback", false, "Name", "NAME", false},
        {"absent key, no callback", false, "Name", "Other", false},
        {"exact key, callback", true, "Name", "Name", true},
        {"other case, callback", true, "Name", "name", true},
        {"absent key, callback", true, "Name", "Other", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // One bucket: every key shares the chain.
        StringIntHash hash(0, 1);
        if (c.withCallback)
            hash.SetCompareCallback(CompareNoCase);
        hash["first"] = 1;
        hash[c.stored] = 2;
        hash["last"] = 3;
        // Whatever the look-up finds, Remove removes, and nothing else.
        EXPECT_EQ(hash.HasKey(c.removed), c.removes);
        EXPECT_EQ(hash.Remove(c.removed), c.removes);
        EXPECT_EQ(hash.GetCount(), c.removes ? 2 : 3);
        EXPECT_FALSE(hash.HasKey(c.removed));
        EXPECT_TRUE(hash.HasKey("first"));
        EXPECT_TRUE(hash.HasKey("last"));
        EXPECT_EQ(Walk(hash).size(), static_cast<size_t>(hash.GetCount()));
    }
}

TEST(THash, RemoveFromChainHeadMiddleAndTail)
{
    for (int removed : {0, 10, 20}) {
        SCOPED_TRACE(removed);
        IntIntHash hash(0, 10);  // 0, 10 and 20 share bucket 0
        hash[0] = 1;
        hash[10] = 2;
        hash[20] = 3;
        EXPECT_TRUE(hash.Remove(removed));
        EXPECT_FALSE(hash.Remove(removed));
        EXPECT_EQ(hash.GetCount(), 2);
        for (int key : {0, 10, 20})
            EXPECT_EQ(hash.HasKey(key), key != removed) << key;
    }
}

TEST(THash, RemoveAllEmptiesAndTheTableIsUsableAgain)
{
    StringIntHash hash(1, 10);
    for (int i = 0; i < 20; ++i)
        hash[std::to_string(i)] = i;
    hash.RemoveAll();
    EXPECT_EQ(hash.GetCount(), 0);
    EXPECT_TRUE(Walk(hash).empty());
    hash["again"] = 1;
    EXPECT_TRUE(hash.HasKey("again"));
}

TEST(THash, CopyKeepsSettingsAndIterationOrder)
{
    StringIntHash source(1, 13);
    source.SetCompareCallback(CompareNoCase);
    for (int i = 0; i < 40; ++i)
        source["key" + std::to_string(i)] = i;

    StringIntHash copy(source);
    EXPECT_EQ(copy.GetBucketCount(), source.GetBucketCount());
    EXPECT_EQ(copy.GetGrowFlag(), source.GetGrowFlag());
    EXPECT_EQ(copy.GetCompareCallback(), source.GetCompareCallback());
    EXPECT_EQ(copy.GetCount(), source.GetCount());
    EXPECT_EQ(Walk(copy), Walk(source));

    // The copy stands on its own.
    copy["KEY0"] = 99;
    int value = 0;
    ASSERT_TRUE(source.Lookup("key0", value));
    EXPECT_EQ(value, 0);

    StringIntHash assigned(0, 3);
    assigned["gone"] = 1;
    assigned = source;
    EXPECT_FALSE(assigned.HasKey("gone"));
    EXPECT_EQ(Walk(assigned), Walk(source));
}

namespace {
enum testDepth { testDepth1 = 1, testDepth8 = 8, testDepthGray = 9, testDepth24 = 24 };
}

TEST(CSet, OfDepthsFromOneTwoOrThreeValues)
{
    CSet<testDepth> one(testDepth1);
    CSet<testDepth> two(testDepth8, testDepthGray);
    CSet<testDepth> three(testDepth1, testDepth8, testDepth24);
    EXPECT_EQ(one.GetCount(), 1);
    EXPECT_EQ(two.GetCount(), 2);
    EXPECT_EQ(three.GetCount(), 3);
    EXPECT_TRUE(two.Contains(testDepthGray));
    EXPECT_FALSE(two.Contains(testDepth24));
    EXPECT_EQ(three.GetBucketCount(), 100u);
    // Depths hash to themselves, so their bucket order is their value order.
    std::vector<testDepth> keys;
    three.GetKeys(keys);
    EXPECT_EQ(keys, (std::vector<testDepth>{testDepth1, testDepth8, testDepth24}));
    int value = 0;
    ASSERT_TRUE(three.Lookup(testDepth8, value));
    EXPECT_EQ(value, 1);
}

TEST(CSet, OfPointersAndStrings)
{
    int objects[200] = {};
    CSet<int*> pointers;
    for (int& object : objects)
        pointers.Add(&object);
    pointers.Add(&objects[0]);
    EXPECT_EQ(pointers.GetCount(), 200);
    EXPECT_GT(pointers.GetBucketCount(), 100u);
    EXPECT_TRUE(pointers.Remove(&objects[150]));
    EXPECT_FALSE(pointers.Contains(&objects[150]));
    std::vector<int*> members;
    pointers.GetKeys(members);
    EXPECT_EQ(members.size(), 199u);

    CSet<std::string> keys;
    keys.Add("1-doc");
    keys.Add("2-doc");
    EXPECT_EQ(keys.GetHashValue("1-doc"), StringHashValue("1-doc"));
    EXPECT_TRUE(keys.Contains("2-doc"));
    EXPECT_FALSE(keys.Contains("3-doc"));
}
