#include "imaging/formats/LoadSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/ColorResolution.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/Registry.h"

namespace {

std::string WithoutDot(const std::string& extension) {
  return !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
}

// Finds the writer and negotiates the colour resolution (raising before anything is written);
// Convert tells whether the image must be converted to class Target first.
struct TSavePlan {
  TFileFormatWriter* Writer = nullptr;
  bool Convert = false;
  TColorResolution Target = crTrueColor;
};

TSavePlan PlanSave(TPixelGraphic& image, const std::string& extension,
                   const TPGFormatContext& context) {
  image.FlushDrawing();
  const std::string ext = LowerCase(WithoutDot(extension));
  TSavePlan plan;
  {
    const auto lock = LockFormatRegistry();
    SortFileFormatWriters();
    if (FileFormatWriters().empty())
      PGRaise<EPGFileFormatWritersEmpty>(pgmIsEmpty, "FileFormatWriters");
    plan.Writer = FindWriter(ext);
  }
  if (!plan.Writer) PGRaise<EPGUnknownExtension>(pgmUnknownExtension, ext);

  image.UpdatePaletteIdent();
  const TColorResolution c = ColorResolutionOf(image);
  if (!PreferredColorResolution(c, plan.Writer->CanWriteResolutions, plan.Target))
    PGRaise<EPGCanWriteResolutionsEmpty>(pgmIsEmpty,
                                         plan.Writer->ClassName() + ".CanWriteResolutions");
  if (plan.Target == c) return plan;

  plan.Convert = true;
  const std::string text = PGMessage(pgmSavedWithOtherColorRes, plan.Writer->Description,
                                     ColorResolutionText(c), ColorResolutionText(plan.Target));
  if (context.AskWarning(image.SaveColorResWarningAction, PGMessage(pgmWarning), text) != pgwGoOn)
    PGRaise<EPGCannotWriteColorRes>(pgmCannotSaveColorRes, plan.Writer->Description,
                                    ColorResolutionText(c));
  return plan;
}

void WritePlanned(TPixelGraphic& image, const TSavePlan& plan, TPGStream& stream,
                  const TPGFormatContext& context) {
  if (!plan.Convert) {
    plan.Writer->WriteToStream(stream, image, context);
    return;
  }
  TPixelGraphic converted;
  ConvertToColorResolution(image, plan.Target, converted);
  plan.Writer->WriteToStream(stream, converted, context);
}

std::string DirectoryOf(const std::string& fileName) {
  const auto slash = fileName.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : fileName.substr(0, slash);
}

}  // namespace

void ApplyReadGamma(TPixelGraphic& image, const TPGFormatContext& context) {
  const double screenGamma = context.ScreenGamma;
  if (!context.Settings.GammaCorrectionOnRead) return;
  if (!(screenGamma > 0) || !(std::fabs(image.Gamma / screenGamma - 1.0) > 0.05)) return;
  const double exponent = image.Gamma / screenGamma;
  std::array<std::uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    const double v = 255.0 * std::pow(i / 255.0, exponent);
    table[i] = static_cast<std::uint8_t>(std::clamp(std::nearbyint(v), 0.0, 255.0));
  }
  if (image.PixelFormat() != pf24Bit) {
    for (int i = 0; i < image.PaletteCount(); ++i) {
      const TRGB c = image.PaletteColor(i);
      image.SetPaletteColor(i, RGBColor(table[RedOf(c)], table[GreenOf(c)], table[BlueOf(c)]));
    }
  } else if (!image.Empty()) {
    const std::size_t used = static_cast<std::size_t>(image.Width()) * 3;
    for (int y = 0; y < image.Height(); ++y) {
      std::uint8_t* row = image.ScanLine(y);
      for (std::size_t i = 0; i < used; ++i) row[i] = table[row[i]];
    }
  }
  image.Gamma = screenGamma;
}

void LoadFromStreamExt(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                       int index, const TPGFormatContext& context) {
  image.FlushDrawing();
  TPGUpdateScope update(image);
  image.SetSize(0, 0, pf24Bit);
  image.Gamma = context.ScreenGamma;
  const TFileFormatReader* reader = FindReader(stream, extension);
  if (!reader) PGRaise<EPGUnknownFileFormat>(pgmUnknownFileFormat);
  reader->ReadFromStream(stream, image, index, context);
  ApplyReadGamma(image, context);
  image.UpdatePaletteIdent();
}

void LoadFromStreamExt(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                       int index) {
  LoadFromStreamExt(image, stream, extension, index, CaptureFormatContext());
}

void LoadFromStream(TPixelGraphic& image, TPGStream& stream) {
  LoadFromStreamExt(image, stream, {}, 0);
}

void LoadFromFileIndex(TPixelGraphic& image, const std::string& fileName, int index,
                       const TPGFormatContext& context) {
  TPGFileStream stream(fileName, TPGFileStream::fmRead);
  LoadFromStreamExt(image, stream, ExtensionOf(fileName), index, context);
}

void LoadFromFileIndex(TPixelGraphic& image, const std::string& fileName, int index) {
  LoadFromFileIndex(image, fileName, index, CaptureFormatContext());
}

void LoadFromFile(TPixelGraphic& image, const std::string& fileName) {
  LoadFromFileIndex(image, fileName, 0);
}

void SaveToStreamAs(TPixelGraphic& image, TPGStream& stream, const std::string& extension,
                    const TPGFormatContext& context) {
  const TSavePlan plan = PlanSave(image, extension, context);
  WritePlanned(image, plan, stream, context);
}

void SaveToStreamAs(TPixelGraphic& image, TPGStream& stream, const std::string& extension) {
  SaveToStreamAs(image, stream, extension, CaptureFormatContext());
}

void SaveToFile(TPixelGraphic& image, const std::string& fileName) {
  SaveToFile(image, fileName, CaptureFormatContext());
}

void SaveToFile(TPixelGraphic& image, const std::string& fileName,
                const TPGFormatContext& context) {
  const TSavePlan plan = PlanSave(image, ExtensionOf(fileName), context);

  struct stat existing {};
  const bool existed = stat(fileName.c_str(), &existing) == 0;
  std::string tempName = DirectoryOf(fileName) + "/.lumivex-save-XXXXXX";
  const int fd = mkstemp(tempName.data());
  if (fd < 0)
    throw EPixelGraphic("Cannot create file \"" + fileName + "\": " + std::strerror(errno));
  // The new file gets the existing file's permissions, or the usual ones for a new file.
  mode_t mode = existing.st_mode & 07777;
  if (!existed) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  close(fd);
  try {
    {
      TPGFileStream stream(tempName, TPGFileStream::fmCreate);
      WritePlanned(image, plan, stream, context);
      stream.Close();
    }
    if (std::rename(tempName.c_str(), fileName.c_str()) != 0)
      throw EPixelGraphic("Cannot write file \"" + fileName + "\": " + std::strerror(errno));
  } catch (...) {
    std::remove(tempName.c_str());
    throw;
  }
}

void SaveToStream(TPixelGraphic& image, TPGStream& stream) {
  image.FlushDrawing();
  LibraryBMPWriter().WriteToStream(stream, image, CaptureFormatContext());
}

void ReadData(TPixelGraphic& image, TPGStream& stream) {
  std::uint8_t buffer[4] = {};
  stream.Read(buffer, 4);
  const std::int64_t length = GetLE32(buffer);
  const std::int64_t position = stream.Position();
  LoadFromStreamExt(image, stream, "bmp", 0, CaptureFormatContext());
  stream.Seek(position + length);
}

void WriteData(TPixelGraphic& image, TPGStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t buffer[4] = {};
  stream.Write(buffer, 4);
  SaveToStream(image, stream);
  const std::int64_t end = stream.Position();
  PutLE32(buffer, static_cast<std::uint32_t>(end - start - 4));
  stream.Seek(start);
  stream.Write(buffer, 4);
  stream.Seek(end);
}
