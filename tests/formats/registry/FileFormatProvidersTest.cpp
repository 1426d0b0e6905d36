#include "formats/registry/FileFormatProviders.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

using namespace ZAV;

namespace {

// Stands in for a bound plug-in record; the registry only keeps its address.
CImportExportDll* const kPlugin = reinterpret_cast<CImportExportDll*>(0x1000);

struct LookupCase {
    const char* extension;
    int id;
    int loadMode;
    int saveMode;
};

void ExpectLookups(CFileFormatProviders& registry, std::initializer_list<LookupCase> cases)
{
    for (const LookupCase& c : cases) {
        const CFileFormatProvider* p = registry.GetProviderByExtension(c.extension, false);
        EXPECT_EQ(p->GetId(), c.id) << c.extension;
        EXPECT_EQ(p->GetLoadMode(), c.loadMode) << c.extension;
        EXPECT_EQ(p->GetSaveMode(), c.saveMode) << c.extension;
    }
}

TEST(FileFormatProviders, BuiltInRowsAnswerByExactExtension)
{
    CFileFormatProviders registry;
    ExpectLookups(registry, {{"TIF", 5, 2, 2},
                             {"TIFF", 5, 2, 2},
                             {"tif", 0, 0, 0},
                             {"JPG", 4, 2, 2},
                             {"PDF", 11, 0, 2},
                             {"ICO", 8, 2, 0},
                             {"EMF", 93, 2, 2},
                             {"BIE", 94, 2, 2},
                             {"XPM", 0, 0, 0},
                             {"", 0, 0, 0}});
    EXPECT_EQ(registry.GetProvider(zavifFAX, false)->GetExtensionText(), String(";FAX;"));
    EXPECT_EQ(registry.GetProvider(static_cast<zavImgFormat>(19), false)->GetId(), 0);
}

TEST(FileFormatProviders, MissesRaiseWhenAsked)
{
    CFileFormatProviders registry;
    EXPECT_EQ(ZAVTest::ThrownText([&] { registry.GetProvider(static_cast<zavImgFormat>(42), true); }),
              "Provider for format '42' not found!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { registry.GetProviderByExtension("tif", true); }),
              "Provider for file extension 'tif' not found!");
    for (int id : {0, 255})
        EXPECT_EQ(ZAVTest::ThrownText([&] {
                      registry.AddProviderPtr(new CFileFormatProvider(static_cast<zavImgFormat>(id), ";NEW;", 4, 4));
                  }),
                  "Invalid imageformat for provider!");
    ExpectLookups(registry, {{"NEW", 0, 0, 0}});
}

TEST(FileFormatProviders, AnExistingIdMergesOnlyItsNonZeroModes)
{
    CFileFormatProviders registry;
    registry.AddProviderPtr(new CFileFormatProvider(zavifTIF, ";TTT;", 4, kPlugin, 0, nullptr));
    const CFileFormatProvider* tiff = registry.GetProvider(zavifTIF, false);
    EXPECT_EQ(tiff->GetLoadMode(), 4);
    EXPECT_EQ(tiff->GetLoadPlugin(), kPlugin);
    EXPECT_EQ(tiff->GetSaveMode(), 2);
    EXPECT_EQ(tiff->GetSavePlugin(), nullptr);
    EXPECT_EQ(tiff->GetExtensionText(), String(";TIF;TIFF;"));
    ExpectLookups(registry, {{"TTT", 0, 0, 0}});
}

TEST(FileFormatProviders, APluginClaimingTifTakesTheExtensionButNotTheId)
{
    CFileFormatProviders registry;
    registry.AddProviderPtr(new CFileFormatProvider(static_cast<zavImgFormat>(101), ";TIF;X;", 4, kPlugin, 4, kPlugin));
    ExpectLookups(registry, {{"TIF", 101, 4, 4}, {"TIFF", 5, 2, 2}, {"X", 101, 4, 4}});
    EXPECT_EQ(registry.GetProvider(zavifTIF, false)->GetLoadMode(), 2);
}

TEST(FileFormatProviders, MagickRowsMergeIntoBuiltInIds)
{
    CFileFormatProviders registry;
    registry.AddMagickProviders(kPlugin);
    ExpectLookups(registry, {{"EMF", 28, 3, 0},
                             {"WMF", 93, 2, 2},
                             {"PDF", 11, 3, 2},
                             {"PICT", 92, 2, 3},
                             {"XCF", 89, 3, 3},
                             {"XPM", 0, 0, 0},
                             {"PM", 0, 0, 0},
                             {"M2V", 51, 3, 3},
                             {"CMYKA", 24, 3, 3},
                             {"EPS2", 32, 0, 3}});
    EXPECT_EQ(registry.GetProviderByExtension("EMF", false)->GetLoadPlugin(), kPlugin);
    EXPECT_EQ(registry.GetProviderByExtension("EMF", false)->GetSavePlugin(), nullptr);
    EXPECT_EQ(registry.GetProvider(zavifPDF, false)->GetLoadPlugin(), kPlugin);
    EXPECT_EQ(registry.GetProvider(zavifPICT, false)->GetSavePlugin(), kPlugin);
}

}  // namespace
