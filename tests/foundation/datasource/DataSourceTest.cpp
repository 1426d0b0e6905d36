#include "foundation/datasource/DataSource.h"

#include "foundation/text/TextException.h"
#include "platform/LastError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using ZAV::CDataSource;
using ZAV::CDataSourceCallbacks;

namespace {

const std::string kTen = "0123456789";

// A byte store the callback kind reads from and writes to.
struct CallbackStore {
    std::string bytes;
    size_t position = 0;
    bool atEnd = false;
    int closes = 0;

    static CDataSourceCallbacks Callbacks()
    {
        CDataSourceCallbacks c;
        c.read = [](void* buffer, size_t count, void* user) -> size_t {
            auto* s = static_cast<CallbackStore*>(user);
            size_t n = std::min(count, s->bytes.size() - s->position);
            std::memcpy(buffer, s->bytes.data() + s->position, n);
            s->position += n;
            s->atEnd = n < count;
            return n;
        };
        c.write = [](const void* data, size_t count, void* user) -> size_t {
            auto* s = static_cast<CallbackStore*>(user);
            s->bytes.append(static_cast<const char*>(data), count);
            s->position = s->bytes.size();
            return count;
        };
        c.seek = [](int64_t offset, int origin, void* user) -> bool {
            auto* s = static_cast<CallbackStore*>(user);
            int64_t base = origin == 0 ? 0 : origin == 1 ? int64_t(s->position) : int64_t(s->bytes.size());
            int64_t target = base + offset;
            if (target < 0 || target > int64_t(s->bytes.size()))
                return false;
            s->position = size_t(target);
            s->atEnd = false;
            return true;
        };
        c.tell = [](void* user) -> uint64_t { return static_cast<CallbackStore*>(user)->position; };
        c.length = [](void* user) -> uint64_t { return static_cast<CallbackStore*>(user)->bytes.size(); };
        c.isEof = [](void* user) -> bool { return static_cast<CallbackStore*>(user)->atEnd; };
        c.close = [](void* user) -> bool {
            static_cast<CallbackStore*>(user)->closes++;
            return true;
        };
        return c;
    }
};

// Everything a data source of one kind needs to stay alive while it is read.
struct Backing {
    ZAVTest::TempDir dir;
    std::string memory;
    CallbackStore store;
};

using Opener = std::function<bool(CDataSource&, Backing&, const std::string&)>;

struct ReadKind {
    const char* name;
    Opener open;
    bool seeksPastEnd;  // the C library lets a file position go beyond its end
};

const ReadKind kReadKinds[] = {
    {"File",
     [](CDataSource& ds, Backing& b, const std::string& bytes) {
         ZAVTest::WriteText(b.dir.File("in.bin"), bytes);
         return ds.OpenFile(b.dir.File("in.bin").c_str());
     },
     true},
    {"Mapped",
     [](CDataSource& ds, Backing& b, const std::string& bytes) {
         ZAVTest::WriteText(b.dir.File("in.bin"), bytes);
         return ds.OpenMapped(b.dir.File("in.bin").c_str());
     },
     false},
    {"Memory",
     [](CDataSource& ds, Backing& b, const std::string& bytes) {
         b.memory = bytes;
         return ds.OpenMemory(b.memory.data(), b.memory.size());
     },
     false},
    {"Callbacks",
     [](CDataSource& ds, Backing& b, const std::string& bytes) {
         b.store.bytes = bytes;
         return ds.OpenCallbacks(CallbackStore::Callbacks(), &b.store, false);
     },
     false},
};

void PrintTo(const ReadKind& kind, std::ostream* os)
{
    *os << kind.name;
}

class ReadKinds : public ::testing::TestWithParam<ReadKind> {
protected:
    void Open(const std::string& bytes) { ASSERT_TRUE(GetParam().open(ds, backing, bytes)) << ds.GetErrorText(); }

    Backing backing;
    CDataSource ds;
};

std::string Bytes(const unsigned char* p, size_t n)
{
    return std::string(reinterpret_cast<const char*>(p), n);
}

class RecordingProgress : public ZAV::IProgressNotification {
public:
    int OnProgress(double fraction) override
    {
        fractions.push_back(fraction);
        return 1;
    }
    void OnBegin() override {}
    void OnEnd() override {}
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    void OnImageChanged() override {}
    std::vector<double> fractions;
};

}  // namespace

TEST_P(ReadKinds, BlockReadsReturnBytesInStreamOrder)
{
    Open(kTen);
    EXPECT_EQ(*ds.ReadByte(), '0');
    EXPECT_EQ(Bytes(ds.ReadWord(), 2), "12");
    EXPECT_EQ(Bytes(ds.ReadDWord(), 4), "3456");
    EXPECT_EQ(Bytes(ds.ReadBlock(3), 3), "789");
    EXPECT_EQ(ds.GetPosition(), 10u);
    EXPECT_EQ(ds.GetLength(), 10u);
}

TEST_P(ReadKinds, ShortBlockReadAtTheEndThrowsCode11)
{
    Open(kTen);
    ASSERT_TRUE(ds.Seek(7, 0));
    try {
        ds.ReadBlock(4);
        FAIL() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 11);
        EXPECT_STREQ(e.GetText(), "End of file reached while decoding.\n");
    }
}

TEST_P(ReadKinds, HugeBlockReadBeyondTheDataThrowsWithoutAllocatingIt)
{
    Open(kTen);
    try {
        ds.ReadBlock(size_t(1) << 40);
        FAIL() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 11);
    }
}

TEST_P(ReadKinds, ReadAvailableGivesWhatIsLeft)
{
    Open(kTen);
    ASSERT_TRUE(ds.Seek(7, 0));
    size_t count = 4;
    const unsigned char* p = ds.ReadAvailable(count);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(Bytes(p, count), "789");
    count = 4;
    ds.ReadAvailable(count);
    EXPECT_EQ(count, 0u);
}

TEST_P(ReadKinds, SeeksAtAndPastTheEnd)
{
    Open(kTen);
    EXPECT_TRUE(ds.Seek(10, 0));  // the end itself is a position
    char c;
    EXPECT_EQ(ds.Read(&c, 1), 0u);
    EXPECT_TRUE(ds.IsEof());
    EXPECT_FALSE(ds.HasMoreData());

    EXPECT_TRUE(ds.Seek(0, 2));
    EXPECT_EQ(ds.GetPosition(), 10u);
    EXPECT_TRUE(ds.Seek(-10, 2));
    EXPECT_EQ(ds.GetPosition(), 0u);
    EXPECT_TRUE(ds.HasMoreData());
    EXPECT_FALSE(ds.Seek(-11, 2));  // before the first byte
    EXPECT_FALSE(ds.Seek(-1, 0));
    EXPECT_TRUE(ds.Seek(4, 0));
    EXPECT_TRUE(ds.Seek(6, 1));
    EXPECT_EQ(ds.GetPosition(), 10u);
    EXPECT_TRUE(ds.Seek(-3, 1));
    EXPECT_EQ(Bytes(ds.ReadBlock(3), 3), "789");
    EXPECT_EQ(ds.Seek(11, 0), GetParam().seeksPastEnd);
}

TEST_P(ReadKinds, SeekOffsetAtTheEndOfTheRangeIsRefusedSafely)
{
    Open(kTen);
    ASSERT_TRUE(ds.Seek(4, 0));
    const int64_t lowest = std::numeric_limits<int64_t>::min();
    EXPECT_FALSE(ds.Seek(lowest, 1));
    EXPECT_FALSE(ds.Seek(lowest, 2));
    EXPECT_EQ(ds.GetPosition(), 4u);
}

TEST_P(ReadKinds, WritingToAReadSourceFails)
{
    Open(kTen);
    EXPECT_FALSE(ds.Write("x", 1));
    try {
        ds.WriteByte('x');
        FAIL() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_EQ(e.GetCode(), 30);
        EXPECT_STREQ(e.GetText(), "Error writing to file!");
    }
}

TEST_P(ReadKinds, ProgressAtEachKilobyteOnly)
{
    RecordingProgress progress;
    CDataSource source(&progress);
    ASSERT_TRUE(GetParam().open(source, backing, std::string(4096, 'a')));
    for (int i = 0; i < 40; ++i)
        source.ReadBlock(100);  // 4,000 bytes: passes 1,024, 2,048 and 3,072
    ASSERT_EQ(progress.fractions.size(), 3u);
    EXPECT_DOUBLE_EQ(progress.fractions[0], 1100.0 / 4096);
    EXPECT_DOUBLE_EQ(progress.fractions[2], 3100.0 / 4096);
    size_t count = 96;
    source.ReadAvailable(count);  // 4,096: the fourth
    EXPECT_EQ(progress.fractions.size(), 4u);
}

// Byte by byte, as the parsers read: the next byte gives what asking for
// more data and reading one byte gives, with and without progress to report,
// and progress still counts every byte.
TEST_P(ReadKinds, NextByteReadsAsOneByteReadsDo)
{
    const std::string data = kTen + std::string(2038, 'b');
    for (bool withProgress : {false, true}) {
        RecordingProgress progress[2];
        std::vector<int> bytes[2];
        std::vector<uint64_t> positions[2];
        for (int way = 0; way < 2; ++way) {
            Backing own;
            CDataSource source(withProgress ? &progress[way] : nullptr);
            ASSERT_TRUE(GetParam().open(source, own, data));
            for (int i = 0; i < 2050; ++i) {
                if (i == 5)
                    source.Seek(3, 0);
                int byte = -1;
                if (way == 0)
                    byte = source.ReadNextByte();
                else if (source.HasMoreData())
                    byte = *source.ReadByte();
                bytes[way].push_back(byte);
                positions[way].push_back(source.GetPosition());
            }
        }
        EXPECT_EQ(bytes[1], bytes[0]) << withProgress;
        EXPECT_EQ(positions[1], positions[0]) << withProgress;
        EXPECT_EQ(progress[1].fractions, progress[0].fractions) << withProgress;
        if (withProgress && bytes[0].front() >= 0)
            EXPECT_EQ(2u, progress[0].fractions.size());
    }
}

INSTANTIATE_TEST_SUITE_P(DataSource, ReadKinds, ::testing::ValuesIn(kReadKinds),
                         [](const ::testing::TestParamInfo<ReadKind>& info) { return std::string(info.param.name); });

// Writing kinds: a file, a caller's block, callbacks and the output-only stream.
struct WriteKind {
    const char* name;
    std::function<bool(CDataSource&, Backing&)> open;
    std::function<std::string(CDataSource&, Backing&)> written;
};

const WriteKind kWriteKinds[] = {
    {"File", [](CDataSource& ds, Backing& b) { return ds.OpenFileForWriting(b.dir.File("out.bin").c_str(), false); },
     [](CDataSource& ds, Backing& b) {
         ds.Close();
         return ZAVTest::ReadText(b.dir.File("out.bin"));
     }},
    {"Memory",
     [](CDataSource& ds, Backing& b) {
         b.memory.assign(64, '\0');
         return ds.OpenMemoryForWriting(&b.memory[0], b.memory.size());
     },
     [](CDataSource& ds, Backing& b) { return b.memory.substr(0, size_t(ds.GetLength())); }},
    {"Callbacks",
     [](CDataSource& ds, Backing& b) { return ds.OpenCallbacks(CallbackStore::Callbacks(), &b.store, true); },
     [](CDataSource&, Backing& b) { return b.store.bytes; }},
    {"BinStream", [](CDataSource& ds, Backing&) { return ds.OpenBinStream(); },
     [](CDataSource& ds, Backing&) {
         ZAV::CArraySimple<unsigned char, 1> bytes;
         ds.GetBinStream().CopyTo(bytes);
         return Bytes(bytes.GetData(), size_t(bytes.GetSize()));
     }},
};

void PrintTo(const WriteKind& kind, std::ostream* os)
{
    *os << kind.name;
}

class WriteKinds : public ::testing::TestWithParam<WriteKind> {
protected:
    Backing backing;
    CDataSource ds;
};

TEST_P(WriteKinds, WritesLengthAndTextLines)
{
    ASSERT_TRUE(GetParam().open(ds, backing)) << ds.GetErrorText();
    EXPECT_TRUE(ds.Write("ab", 2));
    EXPECT_TRUE(ds.Write("cdef", 2, 2));
    ds.WriteByte('!');
    ds.WriteString(ZAV::String(""));
    EXPECT_EQ(ds.GetLength(), 7u);
    EXPECT_EQ(ds.GetPosition(), 7u);
    ZAV::Storage::Out& out = ds.GetTextWriter();
    out.WriteLine("LINE");
    out.WriteDouble(1.5);
    out.WriteFloat(-0.25f);
    out.WriteInt(-42);
    out.WriteShort(7);
    EXPECT_EQ(GetParam().written(ds, backing), "abcdef!LINE\r\n1.500000\r\n-0.250000\r\n -42\r\n 7\r\n");
}

INSTANTIATE_TEST_SUITE_P(DataSource, WriteKinds, ::testing::ValuesIn(kWriteKinds),
                         [](const ::testing::TestParamInfo<WriteKind>& info) { return std::string(info.param.name); });

TEST(DataSource, MemoryBlockTakesExactlyItsCapacity)
{
    unsigned char block[8] = {};
    CDataSource ds;
    ASSERT_TRUE(ds.OpenMemoryForWriting(block, sizeof block));
    EXPECT_TRUE(ds.Write("1234567", 7));
    EXPECT_TRUE(ds.Write("8", 1));
    EXPECT_FALSE(ds.Write("9", 1));
    EXPECT_EQ(ds.GetLength(), 8u);
    EXPECT_EQ(Bytes(block, 8), "12345678");

    // Seeking back and overwriting keeps the length at the highest position.
    EXPECT_TRUE(ds.Seek(2, 0));
    EXPECT_TRUE(ds.Write("xy", 2));
    EXPECT_EQ(ds.GetLength(), 8u);
    EXPECT_EQ(Bytes(block, 8), "12xy5678");
    EXPECT_TRUE(ds.Seek(8, 0));
    EXPECT_FALSE(ds.Seek(9, 0));
    EXPECT_FALSE(ds.Write("z", 1));
}

TEST(DataSource, BinStreamRefusesEverythingButWriting)
{
    CDataSource ds;
    ASSERT_TRUE(ds.OpenBinStream());
    ASSERT_TRUE(ds.Write("abc", 3));
    EXPECT_EQ(ds.GetLength(), 3u);
    EXPECT_EQ(ds.GetPosition(), 3u);
    EXPECT_FALSE(ds.IsEof());

    char buffer[4];
    size_t count = 2;
    const std::vector<std::pair<std::function<void()>, std::string>> refusals = {
        {[&] { ds.Read(buffer, 1); }, "Reading from eBinStreamIO not supported!"},
        {[&] { ds.ReadBlock(2); }, "Reading from eBinStreamIO not supported!"},
        {[&] { ds.ReadByte(); }, "Reading from eBinStreamIO not supported!"},
        {[&] { ds.ReadAvailable(count); }, "Reading from eBinStreamIO not supported!"},
        {[&] { ds.Seek(0, 0); }, "Seeking from eBinStreamIO not supported!"},
        {[&] { ds.HasMoreData(); }, "HasMoreData from eBinStreamIO not supported!"},
    };
    for (const auto& refusal : refusals) {
        try {
            refusal.first();
            ADD_FAILURE() << "no exception for " << refusal.second;
        } catch (const CTextException& e) {
            EXPECT_EQ(e.GetCode(), 0);
            EXPECT_EQ(std::string(e.GetText()), refusal.second);
        }
    }
    // Opening again starts an empty stream.
    ASSERT_TRUE(ds.OpenBinStream());
    EXPECT_EQ(ds.GetLength(), 0u);
}

TEST(DataSource, FailedOpensGiveTheirReasons)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("empty"), "");
    const std::string missing = dir.File("missing");
    struct Case {
        const char* what;
        std::function<bool(CDataSource&)> open;
        std::string text;
    };
    const Case cases[] = {
        {"file, empty name", [](CDataSource& ds) { return ds.OpenFile(""); }, "Invalid Filename!"},
        {"file, null name", [](CDataSource& ds) { return ds.OpenFile(nullptr); }, "Invalid Filename!"},
        {"file, missing", [&](CDataSource& ds) { return ds.OpenFile(missing.c_str()); },
         GetSystemErrorText(ERROR_FILE_NOT_FOUND)},
        {"file, a folder", [&](CDataSource& ds) { return ds.OpenFile(dir.Path().c_str()); },
         GetSystemErrorText(ERROR_ACCESS_DENIED)},
        {"writing, missing folder",
         [&](CDataSource& ds) { return ds.OpenFileForWriting((missing + "/x").c_str(), false); },
         GetSystemErrorText(ERROR_FILE_NOT_FOUND)},
        {"writing, below a file",
         [&](CDataSource& ds) { return ds.OpenFileForWriting((dir.File("empty") + "/x").c_str(), false); },
         GetSystemErrorText(ERROR_PATH_NOT_FOUND)},
        {"updating, missing file", [&](CDataSource& ds) { return ds.OpenFileForWriting(missing.c_str(), true); },
         GetSystemErrorText(ERROR_FILE_NOT_FOUND)},
        {"mapped, empty name", [](CDataSource& ds) { return ds.OpenMapped(""); }, "Invalid Filename!"},
        {"mapped, empty file", [&](CDataSource& ds) { return ds.OpenMapped(dir.File("empty").c_str()); },
         "Error CreateFileMapping! Maybe the file is empty!"},
        {"mapped, missing", [&](CDataSource& ds) { return ds.OpenMapped(missing.c_str()); }, "File not found!"},
        {"mapped, below a file", [&](CDataSource& ds) { return ds.OpenMapped((dir.File("empty") + "/x").c_str()); },
         "Path not found!"},
        {"mapped, a folder", [&](CDataSource& ds) { return ds.OpenMapped(dir.Path().c_str()); }, "Access denied!"},
        {"memory, null", [](CDataSource& ds) { return ds.OpenMemory(nullptr, 4); }, "Invalid Memory!"},
        {"memory, empty", [](CDataSource& ds) { return ds.OpenMemory("x", 0); }, "Invalid Memory!"},
        {"memory for writing, null", [](CDataSource& ds) { return ds.OpenMemoryForWriting(nullptr, 4); },
         "Invalid Memory!"},
    };
    for (const Case& c : cases) {
        CDataSource ds;
        EXPECT_FALSE(c.open(ds)) << c.what;
        EXPECT_EQ(std::string(ds.GetErrorText()), c.text) << c.what;
        EXPECT_NE(std::string(ds.GetErrorText()), "") << c.what;
    }
}

TEST(DataSource, KindsNamesAndReopening)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("a"), "abc");
    CDataSource ds;
    EXPECT_EQ(ds.GetKind(), ZAV::eNoDataSource);
    ASSERT_TRUE(ds.OpenFile(dir.File("a").c_str()));
    EXPECT_EQ(ds.GetKind(), ZAV::eFileIO);
    EXPECT_EQ(std::string(ds.GetFileName()), dir.File("a"));
    ASSERT_TRUE(ds.OpenMapped(dir.File("a").c_str()));
    EXPECT_EQ(ds.GetKind(), ZAV::eMappedFileIO);
    EXPECT_EQ(std::string(ds.GetFileName()), dir.File("a"));
    ASSERT_EQ(ds.GetMemorySize(), 3u);
    EXPECT_EQ(Bytes(ds.GetMemory(), 3), "abc");
    EXPECT_FALSE(ds.OpenFile(""));
    EXPECT_STREQ(ds.GetErrorText(), "Invalid Filename!");
    ASSERT_TRUE(ds.OpenMemory("xy", 2));
    EXPECT_EQ(ds.GetKind(), ZAV::eMemoryIO);
    EXPECT_STREQ(ds.GetErrorText(), "");
    EXPECT_STREQ(ds.GetFileName(), "");
    EXPECT_TRUE(ds.Close());
}

TEST(DataSource, UpdatingAFileKeepsItsBytes)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("f"), "0123456789");
    {
        CDataSource ds;
        ASSERT_TRUE(ds.OpenFileForWriting(dir.File("f").c_str(), true));
        EXPECT_EQ(ds.GetLength(), 10u);
        ASSERT_TRUE(ds.Seek(0, 2));
        ds.WriteChecked("AB", 2);
        EXPECT_EQ(ds.GetLength(), 12u);
    }
    EXPECT_EQ(ZAVTest::ReadText(dir.File("f")), "0123456789AB");
}

TEST(DataSource, SharedStateReadsOneBackEndAndOutlivesEitherOwner)
{
    const std::string bytes = "abcdef";
    auto first = std::make_unique<CDataSource>();
    ASSERT_TRUE(first->OpenMemory(bytes.data(), bytes.size()));
    CDataSource second;
    second.ShareState(*first);
    EXPECT_EQ(Bytes(first->ReadBlock(2), 2), "ab");
    EXPECT_EQ(Bytes(second.ReadBlock(2), 2), "cd");
    EXPECT_EQ(first->GetPosition(), 4u);
    first.reset();
    // The back end went with the first; the second still reads safely.
    EXPECT_EQ(Bytes(second.ReadBlock(2), 2), "ef");
}

TEST(DataSource, CallbackSourceClosesThroughItsCallback)
{
    CallbackStore store;
    store.bytes = "abc";
    {
        CDataSource ds;
        ASSERT_TRUE(ds.OpenCallbacks(CallbackStore::Callbacks(), &store, false));
        EXPECT_EQ(ds.GetKind(), ZAV::eCallbackIO);
        EXPECT_TRUE(ds.HasMoreData());
        EXPECT_TRUE(ds.Close());
    }
    EXPECT_EQ(store.closes, 1);

    CDataSource bare;
    ASSERT_TRUE(bare.OpenCallbacks(CDataSourceCallbacks(), nullptr, true));
    char c;
    EXPECT_EQ(bare.Read(&c, 1), 0u);
    EXPECT_FALSE(bare.Write("x", 1));
    EXPECT_FALSE(bare.Seek(0, 0));
    EXPECT_EQ(bare.GetLength(), 0u);
    EXPECT_FALSE(bare.Close());
}

TEST(DataSource, UpdatedFileReadsBackWhatWasJustWritten)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("f"), "0123456789");
    CDataSource ds;
    ASSERT_TRUE(ds.OpenFileForWriting(dir.File("f").c_str(), true));
    EXPECT_EQ(Bytes(ds.ReadBlock(2), 2), "01");
    ds.WriteChecked("ab", 2);  // over "23"
    EXPECT_EQ(Bytes(ds.ReadBlock(2), 2), "45");
    ASSERT_TRUE(ds.Seek(0, 0));
    EXPECT_EQ(Bytes(ds.ReadBlock(10), 10), "01ab456789");
}
