#include "foundation/text/TextException.h"
#include "platform/LastError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

CTextException Caught(void (*thrower)())
{
    try {
        thrower();
    } catch (const CTextException& e) {
        return e;
    }
    ADD_FAILURE() << "nothing was thrown";
    return CTextException("");
}

}  // namespace

TEST(TextException, ThrowTextExceptionCarriesCodeZeroAndTheText)
{
    const CTextException e = Caught([] { ThrowTextException("Cannot open 'a.pdf'!"); });
    EXPECT_EQ(e.GetCode(), 0);
    EXPECT_STREQ(e.GetText(), "Cannot open 'a.pdf'!");

    const CTextException coded(11, "End of file reached while decoding.\n");
    EXPECT_EQ(coded.GetCode(), 11);
    EXPECT_STREQ(CTextException(nullptr).GetText(), "");
}

TEST(TextException, CopiesOutliveTheirSource)
{
    std::string text = "Error writing to file!";
    auto original = std::make_unique<CTextException>(30, text.c_str());
    text.assign(text.size(), '#');  // the exception keeps its own copy
    CTextException copy(*original);
    CTextException assigned("other");
    assigned = *original;
    original.reset();
    EXPECT_EQ(copy.GetCode(), 30);
    EXPECT_STREQ(copy.GetText(), "Error writing to file!");
    EXPECT_EQ(assigned.GetCode(), 30);
    EXPECT_STREQ(assigned.GetText(), "Error writing to file!");
}

TEST(TextException, ThrowLastErrorAppendsTheSystemText)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_STREQ(Caught([] { ThrowLastError("Cannot read!"); }).GetText(), "Cannot read!");

    SetLastError(ERROR_FILE_NOT_FOUND);
    const CTextException e = Caught([] { ThrowLastError("Cannot read!"); });
    EXPECT_EQ(e.GetCode(), 0);
    EXPECT_EQ(std::string(e.GetText()), std::string("Cannot read! ") + GetSystemErrorText(ERROR_FILE_NOT_FOUND));
    SetLastError(ERROR_SUCCESS);
}

TEST(TextException, SystemMessageNeverOverflowsItsBuffer)
{
    const std::string system = GetSystemErrorText(ERROR_ACCESS_DENIED);
    char out[kSystemMessageBufferSize];
    EXPECT_EQ(std::string(FormatSystemMessage(ERROR_ACCESS_DENIED, "Open:", out)), "Open: " + system);
    EXPECT_EQ(std::string(FormatSystemMessage(ERROR_ACCESS_DENIED, nullptr, out)), system);

    for (size_t prefixLength : {1018u, 1023u, 1024u, 1025u, 5000u}) {
        // A heap buffer of exactly the documented size lets ASan see any overrun.
        auto exact = std::make_unique<char[]>(kSystemMessageBufferSize);
        const std::string prefix(prefixLength, 'p');
        const char* result = FormatSystemMessage(ERROR_ACCESS_DENIED, prefix.c_str(), exact.get());
        const std::string whole = prefix + " " + system;
        EXPECT_EQ(std::string(result), whole.substr(0, kSystemMessageBufferSize - 1)) << prefixLength;
    }

    const std::string longPrefix(3000, 'q');
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        ThrowLastError(longPrefix.c_str());
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(std::strlen(e.GetText()), kSystemMessageBufferSize - 1);
    }
    SetLastError(ERROR_SUCCESS);
}
