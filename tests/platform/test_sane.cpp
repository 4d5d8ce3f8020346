// The scanner interface against the library's test backend: devices, options, scans in every
// mode compared with what scanimage writes for the same options, cancelling and limits.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "platform/SaneSession.h"
#include "tests/platform/SaneTestBackend.h"

namespace {

using TOptions = std::map<std::string, std::string>;

struct SaneTestBackend : testing::Test {
  void SetUp() override {
    sanetest::UseTestBackend();
    InitFormatLibrary();
  }
};

std::unique_ptr<TPixelGraphic> Scan(const TOptions& options, TScanOutcome* outcome = nullptr) {
  TSaneSession session;
  EXPECT_TRUE(session.Ok());
  TSaneDevice device(session, "test:0");
  for (const auto& [name, value] : options) device.Set(name, value);
  TScanAssembler assembler;
  std::atomic<bool> stop{false};
  const TScanOutcome result = device.Scan(assembler, stop);
  if (outcome) *outcome = result;
  return result == TScanOutcome::Done ? assembler.Picture() : nullptr;
}

// The scan of the options equals scanimage's; returns the picture for more checks.
std::unique_ptr<TPixelGraphic> ScanLikeScanimage(const TOptions& options) {
  auto picture = Scan(options);
  if (!picture) {
    ADD_FAILURE() << "no picture";
    return nullptr;
  }
  if (sanetest::ScanimagePath().empty()) return picture;
  sanetest::TPNM ref;
  if (!sanetest::ReferenceScan("test:0", options, ref)) {
    ADD_FAILURE() << "scanimage failed";
    return picture;
  }
  EXPECT_EQ(picture->Width(), ref.Width);
  EXPECT_EQ(picture->Height(), ref.Height);
  if (picture->Width() != ref.Width || picture->Height() != ref.Height) return picture;
  int differences = 0;
  for (int y = 0; y < ref.Height; ++y)
    for (int x = 0; x < ref.Width; ++x) {
      const TRGB c = picture->PixelColor(x, y);
      const int rgb[3] = {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
      for (int ch = 0; ch < ref.Channels; ++ch)
        if (rgb[ch] != ref.At(x, y, ch) && ++differences < 5)
          ADD_FAILURE() << "pixel " << x << "," << y << " channel " << ch << ": " << rgb[ch]
                        << " vs " << ref.At(x, y, ch);
      if (ref.Channels == 1 && (rgb[0] != rgb[1] || rgb[1] != rgb[2])) ++differences;
    }
  EXPECT_EQ(differences, 0);
  return picture;
}

}  // namespace

TEST_F(SaneTestBackend, TheLibraryIsPresentAndListsTheTestDevices) {
  EXPECT_TRUE(SourceManagerPresent());
  EXPECT_TRUE(SourceManagerPresent());  // remembered
  TSaneSession session;
  ASSERT_TRUE(session.Ok());
  const auto devices = session.Devices();
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].Name, "test:0");
  EXPECT_EQ(devices[1].Name, "test:1");
  EXPECT_FALSE(devices[0].Model.empty());
  try {
    TSaneDevice none(session, "test:9");
    FAIL() << "a missing device opened";
  } catch (const ESane& e) {
    EXPECT_EQ(e.Message(), "Unable to open default Data Source.");
    EXPECT_EQ(e.StatusText(), SaneStatusText(e.Status()));
    EXPECT_FALSE(e.StatusText().empty());
  }
}

TEST_F(SaneTestBackend, OptionsComeFromTheDevicesDescriptors) {
  TSaneSession session;
  TSaneDevice device(session, "test:0");
  auto options = device.Options();
  const TSaneOption* mode = TSaneDevice::Find(options, "mode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->Type, TSaneOptionType::String);
  EXPECT_EQ(mode->Constraint, TSaneConstraint::StringList);
  EXPECT_EQ(mode->Text, "Gray");
  EXPECT_EQ(mode->Group, "Scan Mode");
  const TSaneOption* resolution = TSaneDevice::Find(options, "resolution");
  ASSERT_NE(resolution, nullptr);
  EXPECT_EQ(resolution->UnitText(), "dpi");
  EXPECT_EQ(resolution->Constraint, TSaneConstraint::Range);
  EXPECT_DOUBLE_EQ(resolution->Number, 50.0);
  for (const char* name : {"tl-x", "tl-y", "br-x", "br-y"}) {
    const TSaneOption* o = TSaneDevice::Find(options, name);
    ASSERT_NE(o, nullptr) << name;
    EXPECT_EQ(o->UnitText(), "mm");
    EXPECT_TRUE(o->Settable);
  }
  // Three-pass is active only in colour mode: setting the mode asks for the options again.
  EXPECT_FALSE(TSaneDevice::Find(options, "three-pass")->Active);
  const TSaneSetResult set = device.SetText(mode->Index, "Color");
  EXPECT_TRUE(set.ReloadOptions);
  options = device.Options();
  EXPECT_TRUE(TSaneDevice::Find(options, "three-pass")->Active);
  device.Set("resolution", "75");
  EXPECT_DOUBLE_EQ(TSaneDevice::Find(device.Options(), "resolution")->Number, 75.0);
  EXPECT_THROW(device.Set("no-such-option", "1"), std::invalid_argument);
  EXPECT_THROW(device.Set("mode", "Infrared"), ESane);
}

TEST_F(SaneTestBackend, ScansInEveryModeEqualScanimages) {
  if (sanetest::ScanimagePath().empty())
    GTEST_SKIP() << "scanimage is not installed: the scans are not compared with it";
  const TOptions area = {{"test-picture", "Color pattern"}, {"resolution", "50"},
                         {"tl-x", "3"}, {"tl-y", "2"}, {"br-x", "44"}, {"br-y", "32"}};
  auto with = [&](TOptions more) {
    more.insert(area.begin(), area.end());
    return more;
  };
  auto colour = ScanLikeScanimage(with({{"mode", "Color"}, {"depth", "8"}}));
  ASSERT_TRUE(colour);
  EXPECT_EQ(colour->PixelFormat(), pf24Bit);
  auto grey = ScanLikeScanimage(with({{"mode", "Gray"}, {"depth", "8"}}));
  EXPECT_EQ(grey->PixelFormat(), pf8Bit);
  auto grey16 = ScanLikeScanimage(with({{"mode", "Gray"}, {"depth", "16"}}));
  EXPECT_EQ(grey16->PixelFormat(), pf8Bit);
  auto lineArt = ScanLikeScanimage(with({{"mode", "Gray"}, {"depth", "1"}}));
  EXPECT_EQ(lineArt->PixelFormat(), pf1Bit);
  auto colour16 = ScanLikeScanimage(with({{"mode", "Color"}, {"depth", "16"}}));
  EXPECT_EQ(colour16->PixelFormat(), pf24Bit);
  auto threePass = ScanLikeScanimage(
      with({{"mode", "Color"}, {"depth", "8"}, {"three-pass", "yes"}, {"three-pass-order", "GBR"}}));
  ASSERT_TRUE(threePass);
  // The merged frames give the single-pass picture.
  for (int y = 0; y < colour->Height(); y += 7)
    for (int x = 0; x < colour->Width(); x += 5)
      ASSERT_EQ(threePass->PixelColor(x, y), colour->PixelColor(x, y)) << x << "," << y;
  // A hand scanner has a fixed width and no announced length: no scan area is set.
  auto hand = ScanLikeScanimage({{"mode", "Gray"}, {"depth", "8"}, {"hand-scanner", "yes"},
                                 {"test-picture", "Color pattern"}, {"resolution", "25"}});
  ASSERT_TRUE(hand);
  EXPECT_GT(hand->Height(), 0);
}

TEST_F(SaneTestBackend, TheTestPicturesHaveTheExpectedColours) {
  // Independent of scanimage: a solid white grey scan, a solid black line-art scan.
  auto white = Scan({{"mode", "Gray"}, {"test-picture", "Solid white"}, {"br-x", "10"}, {"br-y", "10"}});
  ASSERT_TRUE(white);
  EXPECT_NEAR(white->Width(), 20, 1);  // 10 mm at 50 dpi
  EXPECT_EQ(white->PixelColor(5, 5), RGBColor(255, 255, 255));
  auto black = Scan({{"mode", "Gray"}, {"depth", "1"}, {"test-picture", "Solid black"},
                     {"br-x", "10"}, {"br-y", "10"}});
  ASSERT_TRUE(black);
  EXPECT_EQ(black->PixelFormat(), pf1Bit);
  EXPECT_EQ(black->PixelColor(3, 3), RGBColor(0, 0, 0));
}

TEST_F(SaneTestBackend, AStopCancelsTheScanAndTheDeviceScansAgain) {
  TSaneSession session;
  TSaneDevice device(session, "test:0");
  device.Set("read-limit", "yes");
  device.Set("read-limit-size", "64");
  device.Set("read-delay", "yes");
  device.Set("read-delay-duration", "2000");
  TScanAssembler assembler;
  std::atomic<bool> stop{false};
  int reports = 0;
  const TScanOutcome outcome = device.Scan(assembler, stop, [&](std::uint64_t, std::uint64_t, int) {
    if (++reports == 3) stop = true;
  });
  EXPECT_EQ(outcome, TScanOutcome::Cancelled);
  EXPECT_EQ(reports, 3);
  EXPECT_FALSE(assembler.Complete());
  // The cancelled scan has ended on the device: the next one runs to the end.
  device.Set("read-limit", "no");
  device.Set("read-delay", "no");
  TScanAssembler again;
  std::atomic<bool> go{false};
  EXPECT_EQ(device.Scan(again, go), TScanOutcome::Done);
  EXPECT_TRUE(again.Complete());
}

TEST_F(SaneTestBackend, AScanOverTheLimitFailsClearlyAndLeavesTheDeviceUsable) {
  TSaneSession session;
  TSaneDevice device(session, "test:0");
  device.Set("mode", "Color");
  device.Set("resolution", "600");
  TScanAssembler small(1 << 20);  // 80 x 100 mm at 600 dpi in colour is 12 MB
  std::atomic<bool> stop{false};
  try {
    device.Scan(small, stop);
    FAIL() << "the scan was taken";
  } catch (const EScanTooLarge& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
  }
  device.Set("resolution", "20");
  TScanAssembler enough;
  EXPECT_EQ(device.Scan(enough, stop), TScanOutcome::Done);
  EXPECT_EQ(enough.Picture()->Width(), 62);  // 80 mm at 20 dpi
}

TEST_F(SaneTestBackend, DeviceErrorsCarryTheLibrarysStatusText) {
  TSaneSession session;
  TSaneDevice device(session, "test:0");
  device.Set("read-return-value", "SANE_STATUS_JAMMED");
  TScanAssembler assembler;
  std::atomic<bool> stop{false};
  try {
    device.Scan(assembler, stop);
    FAIL() << "a jammed scan succeeded";
  } catch (const ESane& e) {
    EXPECT_EQ(e.StatusText(), SaneStatusText(6));  // SANE_STATUS_JAMMED
    EXPECT_NE(std::string(e.what()).find(e.StatusText()), std::string::npos);
  }
}

TEST_F(SaneTestBackend, TheCommandLineScansIntoABMPFileLikeTheInterface) {
  const std::string folder = sanetest::UseTestBackend();
  const std::string out = folder + "/cli-scan.bmp";
  const std::string command = std::string("'") + LUMIVEX_CLI + "' scan --device test:0" +
                              " --option mode=Color --option 'test-picture=Color pattern'" +
                              " --option br-x=20 --option br-y=15 '" + out + "' > '" + folder +
                              "/cli.log' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  TPixelGraphic file;
  LoadFromFile(file, out);
  auto direct = Scan({{"mode", "Color"}, {"test-picture", "Color pattern"}, {"br-x", "20"},
                      {"br-y", "15"}});
  ASSERT_TRUE(direct);
  ASSERT_EQ(file.Width(), direct->Width());
  ASSERT_EQ(file.Height(), direct->Height());
  for (int y = 0; y < file.Height(); ++y)
    for (int x = 0; x < file.Width(); ++x)
      ASSERT_EQ(file.PixelColor(x, y), direct->PixelColor(x, y)) << x << "," << y;
  const std::string missing = std::string("'") + LUMIVEX_CLI + "' scan --device test:5 '" + out +
                              "' > /dev/null 2>&1";
  EXPECT_NE(std::system(missing.c_str()), 0);
}
