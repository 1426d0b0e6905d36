#include <gtest/gtest.h>

#include <vector>

#include "image/shadow/Contours.h"

using namespace ZAV;

TEST(Contours, ProfilesAtTheirKeyPoints)
{
    const CConeContour cone("cone", 100);
    const CInvertedConeContour inverted("invcone", 100);
    const CLineContour line("line", 100);
    const CSawtoothContour saw("saw", 100);
    const struct {
        const CBaseContour* contour;
        const char* name;
        std::vector<int> indices;
        std::vector<int> values;
    } cases[] = {
        {&cone, "cone", {0, 25, 50, 99}, {0, 191, 255, 0}},
        {&inverted, "invcone", {0, 25, 50, 99}, {255, 64, 0, 255}},
        {&line, "line", {0, 50, 99}, {255, 128, 3}},
        // i * 512 / 100 in integer steps: up, down, up, down.
        {&saw, "saw", {0, 24, 25, 49, 50, 74, 75, 99}, {0, 122, 128, 6, 0, 122, 128, 6}},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.name, c.contour->GetName().GetText());
        ASSERT_EQ(100, c.contour->GetCount());
        for (size_t i = 0; i < c.indices.size(); ++i)
            EXPECT_EQ(c.values[i], c.contour->At(c.indices[i])) << c.name << " at " << c.indices[i];
    }
}

TEST(Contours, CopiesAndSetProfileKeepTheCount)
{
    CLineContour line("line", 4);
    const BYTE longer[6] = {9, 8, 7, 6, 5, 4};
    line.SetProfile(longer, 6);  // only the contour's four bytes are taken
    const CBaseContour copy(line);
    EXPECT_EQ(4, copy.GetCount());
    EXPECT_EQ((std::vector<BYTE>{9, 8, 7, 6}), std::vector<BYTE>(copy.GetProfile(), copy.GetProfile() + 4));
    EXPECT_STREQ("line", copy.GetName().GetText());
}
