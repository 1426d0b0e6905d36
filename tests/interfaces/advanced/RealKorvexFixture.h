// Tests that run against our own KORVEX55 library, the one built beside the
// program, rather than the recording fake.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "interfaces/advanced/binding/AipDynDll.h"

namespace ZAVTest {

class RealKorvexFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::ifstream(std::string(ZAV_BIN_DIR) + "/KORVEX55.so").good())
            << "KORVEX55.so is not built beside the program";
        ZAV::CAipDynDll::SetLibraryFolderForTests(ZAV_BIN_DIR);
    }
    void TearDown() override { ZAV::CAipDynDll::SetLibraryFolderForTests(""); }
};

}  // namespace ZAVTest
