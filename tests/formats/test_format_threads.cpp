// Loads and saves of every format from several threads at once, while another thread switches
// the library-wide settings back and forth: every call must give exactly what the same call
// gives on one thread with the settings it started with. Built and run under the thread
// sanitizer by scripts/test.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "imaging/formats/FormatContext.h"
#include "imaging/formats/GIFWriter.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "platform/Metafile.h"
#include "platform/MetafileFormat.h"

namespace {

constexpr int kWorkers = 4;
constexpr int kVariants = 2;
const char* const kWriteExtensions[] = {"bmp", "dib", "jpg", "jpeg", "jif", "png",
                                        "pbm", "pgm", "ppm", "tga", "tif", "tiff"};

int Rounds() {
  const char* text = std::getenv("LUMIVEX_THREAD_ROUNDS");
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 40;
}

// The two settings the switcher alternates between: every setting a reader or writer reads
// differs, ScreenGamma included (set under the same lock, so a capture never mixes them).
void ApplyVariant(int variant) {
  ChangeFormatSettings([variant](TPGFormatSettings& s) {
    s = TPGFormatSettings{};
    ScreenGamma = variant == 0 ? 1.8 : 2.2;
    if (variant == 0) return;
    s.WriteGamma = false;
    s.BMPRead16BitExpand = false;
    s.JPEGReadDCTMethod = 1;
    s.JPEGWriteDCTMethod = 0;
    s.JPEGWriteQuality = 50;
    s.JPEGWriteProgressive = true;
    s.PNGReadBackground = false;
    s.PXMWriteBinary = true;
    s.TIFFReadAllImages = true;
    s.TIFFMaxImages = 2;
    s.TIFFWriteCompression = 32773;
    s.TIFFWriteCMYK = true;
    s.TIFFWriteWhiteIsZero = true;
    s.TIFFWriteMotorola = true;
    s.TIFFResolutionUnit = 2;
    s.TIFFXResolution = {72, 1};
  });
}

int VariantOf(const TPGFormatContext& context) {
  return context.Settings.JPEGWriteQuality == 50 ? 1 : 0;
}

std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
  return text;
}

struct THash {
  std::uint64_t Value = 1469598103934665603ull;
  void Add(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) Value = (Value ^ ((v >> (8 * i)) & 0xFF)) * 1099511628211ull;
  }
  void Add(const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t b : bytes) Value = (Value ^ b) * 1099511628211ull;
  }
};

// Everything a load leaves in the image that a user could see.
std::string Describe(const TPixelGraphic& image) {
  THash pixels;
  for (int y = 0; y < image.Height() && image.Width() > 0; ++y)
    for (int x = 0; x < image.Width(); ++x) pixels.Add(image.PixelColor(x, y));
  THash palette;
  for (int i = 0; i < image.PaletteCount(); ++i) palette.Add(image.PaletteColor(i));
  char gamma[32];
  std::snprintf(gamma, sizeof gamma, "%.9g", image.Gamma);
  return std::to_string(image.Width()) + "x" + std::to_string(image.Height()) + " bits " +
         std::to_string(image.BitCount()) + " ident " + std::to_string(image.PaletteIdent()) +
         " gamma " + gamma + " back " + std::to_string(image.BackGroundColor()) + " transparent " +
         std::to_string(image.Transparent) + "/" + std::to_string(image.TransparentColor) +
         " palette " + Hex(palette.Value) + " pixels " + Hex(pixels.Value);
}

// One call and what it gave: the result proper and the warnings its own hook received.
struct TOutcome {
  std::string Result;
  std::string Warnings;
  bool operator==(const TOutcome&) const = default;
};

TPGFormatContext WithRecorder(TPGFormatContext context, std::string& warnings) {
  context.WarningBox = [&warnings](const std::string& caption, const std::string& text, bool) {
    warnings += caption + ": " + text + "\n";
    return true;
  };
  return context;
}

// A job is a load (a file and an image index), a save (a source picture and a writer) or a
// GIF encoding; jobs touch nothing shared but the library.
struct TJob {
  enum TKind { jkLoad, jkInfo, jkSave, jkGIF } Kind = jkLoad;
  std::string Path;
  int Index = 0;
  int Source = 0;
  std::string Extension;
  std::shared_ptr<const std::vector<std::uint8_t>> Bytes;  // of the file a load reads
  bool WholeFile = false;  // Bytes are the whole file at Path
  std::string Name() const {
    return Path + "#" + std::to_string(Index) + " source " + std::to_string(Source) + " " +
           Extension + " kind " + std::to_string(Kind);
  }
};

using TSources = std::vector<std::unique_ptr<TPixelGraphic>>;

// The pictures the saves write: true colour, 256 greys, the 16 system colours, black and white.
TSources MakeSources() {
  TSources sources;
  const struct {
    TPixelFormat Format;
    TPaletteIdent Ident;
  } kinds[] = {{pf24Bit, pTrueColor}, {pf8Bit, pGray256}, {pf4Bit, pSys16}, {pf1Bit, pBlackWhite}};
  for (std::size_t k = 0; k < std::size(kinds); ++k) {
    TPixelGraphic& image = *sources.emplace_back(std::make_unique<TPixelGraphic>());
    image.SetSize(37, 23, kinds[k].Format);
    if (kinds[k].Format != pf24Bit) image.SetPaletteIdent(kinds[k].Ident);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        image.SetPixelColor(x, y, RGBColor(x * 7 + y, y * 11, (x ^ y) * 13));
    image.UpdatePaletteIdent();
    image.SaveColorResWarningAction = pgwaOKBox;
    image.Gamma = 1.8;  // not the ScreenGamma of the moment: the PNG writer stores it
  }
  return sources;
}

std::string Failure(const std::exception& e) { return std::string("error: ") + e.what(); }

std::string InfoText(const TPGFileInfo& info) {
  return std::to_string(info.ImageCount) + " " + std::to_string(info.Width) + "x" +
         std::to_string(info.Height) + " " + std::to_string(info.BitsPerPixel) + " " +
         info.ColorsText + " " + info.DescriptionText + " " + info.VersionText;
}

std::string BytesText(const std::vector<std::uint8_t>& bytes) {
  THash hash;
  hash.Add(bytes);
  return std::to_string(bytes.size()) + " " + Hex(hash.Value);
}

TOutcome RunJob(const TJob& job, TSources& sources, const TPGFormatContext& base) {
  TOutcome outcome;
  const TPGFormatContext context = WithRecorder(base, outcome.Warnings);
  try {
    switch (job.Kind) {
      case TJob::jkLoad: {
        TPixelGraphic image;
        image.ReadWarningAction = pgwaOKBox;
        TPGMemoryStream stream(*job.Bytes);
        LoadFromStreamExt(image, stream, job.Extension, job.Index, context);
        outcome.Result = Describe(image);
        break;
      }
      case TJob::jkInfo: {
        TPGMemoryStream stream(*job.Bytes);
        const TFileFormatReader* reader = FindReader(stream, job.Extension);
        if (!reader) throw EPixelGraphic("no reader");
        outcome.Result = InfoText(reader->GetInfo(stream, job.Index, context));
        break;
      }
      case TJob::jkSave: {
        TPGMemoryStream stream;
        SaveToStreamAs(*sources[static_cast<std::size_t>(job.Source)], stream, job.Extension,
                       context);
        outcome.Result = BytesText(stream.Data());
        break;
      }
      case TJob::jkGIF: {
        std::vector<std::uint8_t> out;
        const bool ok = EncodeGIF(*sources[static_cast<std::size_t>(job.Source)], job.Index != 0,
                                  RGBColor(0, 0, 0), job.Index != 0, out);
        outcome.Result =
            std::to_string(ok) + " status " + std::to_string(GIFWriteStatus()) + " " + BytesText(out);
        break;
      }
    }
  } catch (const std::exception& e) {
    outcome.Result = Failure(e);
  }
  return outcome;
}

// A job through the forms without a context, which capture the library-wide one themselves
// (GetFileInfo for the files kept whole on disk): its result must be the one of either set of
// settings, never a mixture. Empty for jobs that have no such form.
std::string RunCapturing(const TJob& job, TSources& sources) {
  try {
    switch (job.Kind) {
      case TJob::jkLoad: {
        TPixelGraphic image;
        image.ReadWarningAction = pgwaOKBox;
        TPGMemoryStream stream(*job.Bytes);
        LoadFromStreamExt(image, stream, job.Extension, job.Index);
        return Describe(image);
      }
      case TJob::jkInfo: {
        if (!job.WholeFile) return {};
        TPGFileInfoResult info;
        return GetFileInfo(job.Path, job.Index, info) ? InfoText(info) : "error";
      }
      case TJob::jkSave: {
        TPGMemoryStream stream;
        SaveToStreamAs(*sources[static_cast<std::size_t>(job.Source)], stream, job.Extension);
        return BytesText(stream.Data());
      }
      case TJob::jkGIF: return {};
    }
  } catch (const std::exception& e) {
    return Failure(e);
  }
  return {};
}

// What RunCapturing gives for a job whose call with a context gave `result`.
std::string CapturedForm(const TJob& job, const std::string& result) {
  return job.Kind == TJob::jkInfo && result.rfind("error:", 0) == 0 ? "error" : result;
}

// The golden files of the format tests and the fuzz seeds of every reader (whose first byte
// chooses the fuzzer's settings and is not part of the file).
std::vector<TJob> LoadJobs() {
  std::vector<TJob> jobs;
  const auto add = [&jobs](const std::filesystem::path& folder, std::size_t skip) {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.is_regular_file() && entry.file_size() <= 64 * 1024) paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
      std::ifstream in(path, std::ios::binary);
      std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
      bytes.erase(bytes.begin(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(std::min(skip, bytes.size())));
      const auto shared = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
      for (int index = 0; index < 2; ++index)
        for (TJob::TKind kind : {TJob::jkLoad, TJob::jkInfo})
          jobs.push_back(
              {kind, path.string(), index, 0, ExtensionOf(path.string()), shared, skip == 0});
    }
  };
  for (const auto& folder : std::filesystem::directory_iterator(LUMIVEX_FORMATS_TEST_DATA))
    if (folder.is_directory()) add(folder.path(), 0);
  for (const char* format :
       {"bmp", "pcx", "pnm", "tga", "tiff", "gif", "ico", "jpeg", "png", "wmf", "emf"})
    add(std::filesystem::path(LUMIVEX_FUZZ_CORPUS) / format, 1);
  return jobs;
}

std::vector<TJob> AllJobs() {
  std::vector<TJob> jobs = LoadJobs();
  for (int source = 0; source < 4; ++source) {
    for (const char* ext : kWriteExtensions) jobs.push_back({TJob::jkSave, {}, 0, source, ext, {}, false});
    for (int interlaced = 0; interlaced < 2; ++interlaced)
      jobs.push_back({TJob::jkGIF, {}, interlaced, source, {}, {}, false});
  }
  return jobs;
}

class FormatThreadsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Metafiles render with Qt, whose application object belongs to the main thread.
    EnsureMetafileGuiApplication();
    InitFormatLibrary();
    RegisterExtraReaders();
  }
  void TearDown() override {
    ResetFormatSettings();
    SetPGWarningBoxHook(nullptr);
  }
};

TEST_F(FormatThreadsTest, LoadsAndSavesOnFourThreadsMatchOneThreadWhileSettingsChange) {
  const std::vector<TJob> jobs = AllJobs();
  ASSERT_GT(jobs.size(), 200u);

  // What every job gives on one thread under each set of settings.
  std::vector<std::vector<TOutcome>> expected(kVariants);
  TSources sources = MakeSources();
  for (int v = 0; v < kVariants; ++v) {
    ApplyVariant(v);
    const TPGFormatContext context = CaptureFormatContext();
    for (const TJob& job : jobs) expected[v].push_back(RunJob(job, sources, context));
  }
  if (std::getenv("LUMIVEX_THREAD_DUMP"))
    for (std::size_t j = 0; j < jobs.size(); ++j)
      std::printf("%s | %s | %s\n", jobs[j].Name().c_str(), expected[0][j].Result.c_str(),
                  expected[1][j].Result.c_str());
  // The two sets must lead to different results, or the test could not see a torn read.
  int differing = 0;
  for (std::size_t j = 0; j < jobs.size(); ++j) differing += !(expected[0][j] == expected[1][j]);
  EXPECT_GT(differing, 40);
  std::size_t warned = 0;
  for (const TOutcome& o : expected[0]) warned += !o.Warnings.empty();
  EXPECT_GT(warned, 0u) << "no job shows a warning box: the per-call hook is not exercised";

  std::mutex failuresLock;
  std::vector<std::string> failures;
  const auto fail = [&](const std::string& text) {
    std::lock_guard lock(failuresLock);
    if (failures.size() < 20) failures.push_back(text);
  };

  const int rounds = Rounds();
  std::atomic<int> running{kWorkers};
  std::atomic<long> calls{0};
  std::atomic<long> capturing{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      TSources own = MakeSources();  // saves update the picture's palette ident
      for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < jobs.size(); ++k) {
          // Each worker walks the jobs from another place, so different formats overlap.
          const std::size_t start = static_cast<std::size_t>(w) * jobs.size() / kWorkers +
                                    static_cast<std::size_t>(round) * 7;
          const std::size_t j = (k + start) % jobs.size();
          const TJob& job = jobs[j];
          const TPGFormatContext context = CaptureFormatContext();
          const int v = VariantOf(context);
          const TOutcome got = RunJob(job, own, context);
          if (!(got == expected[v][j]))
            fail(job.Name() + " (settings " + std::to_string(v) + "): got \"" + got.Result +
                 "\" / \"" + got.Warnings + "\", expected \"" + expected[v][j].Result + "\" / \"" +
                 expected[v][j].Warnings + "\"");
          if ((k + static_cast<std::size_t>(round)) % 3 == 0) {
            const std::string captured = RunCapturing(job, own);
            capturing += !captured.empty();
            if (!captured.empty() && captured != CapturedForm(job, expected[0][j].Result) &&
                captured != CapturedForm(job, expected[1][j].Result))
              fail(job.Name() + " capturing its own context: \"" + captured + "\"");
          }
          ++calls;
        }
      }
      --running;
    });
  }

  // Meanwhile the settings change as the save-options dialog changes them, the reader list is
  // walked as the open dialog walks it, and settings are read and set by name.
  long switches = 0;
  while (running > 0) {
    ApplyVariant(static_cast<int>(++switches % kVariants));
    EXPECT_EQ(SetFormatSetting("TIFFYResolution", "300/1"), "");
    EXPECT_FALSE(FormatSettingValue("ScreenGamma").empty());
    {
      const auto lock = LockFormatRegistry();
      SortFileFormatReaders();
      EXPECT_GE(FileFormatReaders().size(), 18u);
    }
    EXPECT_NE(FindWriter("png"), nullptr);
    std::this_thread::yield();
  }
  for (std::thread& t : workers) t.join();

  for (const std::string& f : failures) ADD_FAILURE() << f;
  EXPECT_EQ(calls.load(), static_cast<long>(kWorkers) * rounds * static_cast<long>(jobs.size()));
  EXPECT_GT(capturing.load(), calls.load() / 5);
  EXPECT_GT(switches, 2);
}

// The library-wide warning hook is taken into each call's context when the call starts; a
// context with a hook of its own receives that call's warnings and no other call's.
TEST_F(FormatThreadsTest, EachCallTellsItsWarningsToItsOwnHook) {
  std::vector<std::uint8_t> truncated;
  {
    TPixelGraphic image;
    image.SetSize(256, 256, pf24Bit);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) image.SetPixelColor(x, y, RGBColor(x, y * 3, (x * y) ^ x));
    TPGMemoryStream out;
    SaveToStreamAs(image, out, "jpg", TPGFormatContext{});
    truncated.assign(out.Data().begin(), out.Data().begin() + out.Data().size() / 2);
  }
  int libraryWide = 0;
  SetPGWarningBoxHook([&libraryWide](const std::string&, const std::string&, bool) {
    ++libraryWide;
    return true;
  });
  const TPGFormatContext captured = CaptureFormatContext();
  SetPGWarningBoxHook(nullptr);  // later changes do not reach a captured context

  std::vector<int> counts(kWorkers, 0);
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.emplace_back([&, w] {
      TPGFormatContext context = captured;
      context.WarningBox = [&counts, w](const std::string&, const std::string&, bool) {
        ++counts[static_cast<std::size_t>(w)];
        return true;
      };
      for (int i = 0; i <= w; ++i) {
        TPixelGraphic image;
        image.ReadWarningAction = pgwaOKBox;
        TPGMemoryStream stream(truncated);
        try {
          LoadFromStreamExt(image, stream, "jpg", 0, context);
        } catch (const EPixelGraphic&) {
          counts[static_cast<std::size_t>(w)] = -100;  // a truncated file loads after a warning
        }
      }
    });
  for (std::thread& t : workers) t.join();
  for (int w = 0; w < kWorkers; ++w) EXPECT_EQ(counts[static_cast<std::size_t>(w)], w + 1);
  EXPECT_EQ(libraryWide, 0);

  TPixelGraphic image;
  image.ReadWarningAction = pgwaOKBox;
  TPGMemoryStream stream(truncated);
  LoadFromStreamExt(image, stream, "jpg", 0, captured);
  EXPECT_EQ(libraryWide, 1);
}

}  // namespace
