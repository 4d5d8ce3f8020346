// The save options over the library-wide settings: round trip, order of taking over, refusals
// and the settings kept between runs.
#include <gtest/gtest.h>

#include <map>

#include "editor/core/SaveOptions.h"
#include "imaging/formats/FormatSettings.h"

namespace {

struct SaveOptionsTest : testing::Test {
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

std::map<std::string, std::string> AllValues() {
  std::map<std::string, std::string> m;
  for (const auto& n : FormatSettingNames()) m[n] = FormatSettingValue(n);
  return m;
}

TEST_F(SaveOptionsTest, ConfirmingWithoutChangesKeepsEverySetting) {
  const auto before = AllValues();
  const TSaveOptionsForm form = ReadSaveOptions();
  EXPECT_EQ(form.ScreenGamma, "1.8");
  EXPECT_EQ(form.JPEGWriteQuality, "80");
  EXPECT_EQ(form.XNumerator, "300");
  EXPECT_EQ(form.XDenominator, "1");
  EXPECT_EQ(ApplySaveOptions(form), "");
  EXPECT_EQ(AllValues(), before);
}

TEST_F(SaveOptionsTest, RoundTripOfEveryControl) {
  TSaveOptionsForm f = ReadSaveOptions();
  f.JPEGWriteDCTMethod = 1;
  f.JPEGWriteQuality = "55";
  f.JPEGWriteProgressive = true;
  f.JPEGReadDCTMethod = 2;
  f.PXMWriteBinary = true;
  f.TIFFPackBits = true;
  f.TIFFWriteCMYK = true;
  f.TIFFWriteWhiteIsZero = true;
  f.TIFFWriteMotorola = true;
  f.TIFFResolutionUnit = 2;
  f.XNumerator = "72";
  f.XDenominator = "2";
  f.YNumerator = "96";
  f.YDenominator = "3";
  f.ScreenGamma = "2.2";
  f.GammaCorrectionOnRead = false;
  f.WriteGamma = false;
  ASSERT_EQ(ApplySaveOptions(f), "");
  EXPECT_EQ(FormatSettingValue("TIFFWriteCompression"), "32773");
  EXPECT_EQ(FormatSettingValue("TIFFXResolution"), "72/2");
  EXPECT_EQ(FormatSettingValue("JPEGWriteDCTMethod"), "1");
  const TSaveOptionsForm back = ReadSaveOptions();
  EXPECT_EQ(back.ScreenGamma, "2.2");
  EXPECT_EQ(back.JPEGWriteQuality, "55");
  EXPECT_TRUE(back.TIFFPackBits);
  EXPECT_TRUE(back.TIFFWriteMotorola);
  EXPECT_EQ(back.TIFFResolutionUnit, 2);
  EXPECT_EQ(back.YNumerator, "96");
  EXPECT_EQ(back.YDenominator, "3");
  EXPECT_FALSE(back.GammaCorrectionOnRead);
  EXPECT_FALSE(back.WriteGamma);
  EXPECT_TRUE(back.PXMWriteBinary);
}

TEST_F(SaveOptionsTest, ANonNumberStopsTheTakingOverAtItsField) {
  TSaveOptionsForm f = ReadSaveOptions();
  f.JPEGWriteDCTMethod = 2;
  f.JPEGWriteQuality = "abc";
  f.JPEGWriteProgressive = true;
  const std::string message = ApplySaveOptions(f);
  EXPECT_NE(message.find("abc"), std::string::npos);
  EXPECT_EQ(FormatSettingValue("JPEGWriteDCTMethod"), "2");     // taken before
  EXPECT_EQ(FormatSettingValue("JPEGWriteQuality"), "80");      // unchanged
  EXPECT_EQ(FormatSettingValue("JPEGWriteProgressive"), "false");  // after: unchanged
}

TEST_F(SaveOptionsTest, GammaAndDenominatorAreRefusedWithAMessage) {
  TSaveOptionsForm f = ReadSaveOptions();
  f.ScreenGamma = "0";
  f.GammaCorrectionOnRead = false;
  EXPECT_EQ(ApplySaveOptions(f), "The screen gamma must be above 0.");
  EXPECT_EQ(ReadSaveOptions().ScreenGamma, "1.8");
  EXPECT_EQ(FormatSettingValue("GammaCorrectionOnRead"), "true");
  f.ScreenGamma = "-1";
  EXPECT_FALSE(ApplySaveOptions(f).empty());

  f = ReadSaveOptions();
  f.YDenominator = "0";
  f.WriteGamma = false;
  EXPECT_EQ(ApplySaveOptions(f), "The vertical resolution's denominator must not be 0.");
  EXPECT_EQ(FormatSettingValue("TIFFYResolution"), "300/1");
  EXPECT_EQ(FormatSettingValue("WriteGamma"), "true");
}

TEST_F(SaveOptionsTest, RestoreTakesStoredValuesAndSkipsBadOnes) {
  std::map<std::string, std::string> store = {
      {"JPEGWriteQuality", "33"}, {"ScreenGamma", "garbage"}, {"TIFFXResolution", "10/0"},
      {"TIFFWriteMotorola", "true"}};
  RestoreSaveOptions([&](const std::string& name) -> std::optional<std::string> {
    const auto it = store.find(name);
    if (it == store.end()) return std::nullopt;
    return it->second;
  });
  EXPECT_EQ(FormatSettingValue("JPEGWriteQuality"), "33");
  EXPECT_EQ(FormatSettingValue("TIFFWriteMotorola"), "true");
  EXPECT_EQ(ReadSaveOptions().ScreenGamma, "1.8");
  EXPECT_EQ(FormatSettingValue("TIFFXResolution"), "300/1");
  for (const auto& name : SaveOptionSettingNames())
    EXPECT_FALSE(FormatSettingValue(name).empty()) << name;
}

TEST(ShortestDecimal, ReadsBackAsTheValue) {
  EXPECT_EQ(ShortestDecimal(1.8), "1.8");
  EXPECT_EQ(ShortestDecimal(2.0), "2");
  EXPECT_EQ(ShortestDecimal(0.45454545), "0.45454545");
}

}  // namespace
