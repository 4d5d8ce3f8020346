#include "convert/core/ConvertFile.h"

#include "convert/core/ResizeSharpen.h"
#include "imaging/formats/JPEGScaledLoad.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

// Raised by the size callback when a scaled decode would gain nothing.
struct TFullDecode {};

// The picture's own size.
struct TSourceSize {
  int Width = 0;
  int Height = 0;
};

// Decodes a JPEG file at a reduced scale when the fitted size is at most half the picture on
// both sides and the settings ask for the exact DCT that the scaled decode uses. False (and
// `image` untouched) when the file is to be read the ordinary way.
bool LoadScaledForFit(const std::string& input, const TConversion& conversion,
                      const TPGFormatContext& formats, TPixelGraphic& image, TSourceSize& size) {
  if (!conversion.Resize || !conversion.ScaledJPEGDecode || conversion.FitWidth < 1 ||
      conversion.FitHeight < 1 || formats.Settings.JPEGReadDCTMethod != 0 || !IsJPEGFile(input))
    return false;
  try {
    // The callback runs before the picture is touched.
    const TJPEGScaledResult result = LoadJPEGScaled(
        input, image,
        [&conversion](int width, int height) {
          int w = 0, h = 0;
          FitSize(width, height, conversion.FitWidth, conversion.FitHeight, w, h);
          // Only the halving scale: the smaller DCT scales average more plainly than the
          // resampling does and move edges and fine texture visibly (measured on photos:
          // up to 80 of 255 at single pixels), the halving stays within a few levels.
          if (2LL * w > width || 2LL * h > height) throw TFullDecode{};
          return TScaledSize{(width + 1) / 2, (height + 1) / 2};
        },
        TJPEGScaledQuality::Accurate);
    size = {result.FullWidth, result.FullHeight};
  } catch (const TFullDecode&) {
    return false;
  }
  return true;
}

}  // namespace

TConversionResult ConvertFile(const std::string& input, const std::string& output,
                              const TConversion& conversion, const TPGFormatContext& context) {
  TPGFormatContext formats = context;
  if (conversion.JPEGQuality >= 0) formats.Settings.JPEGWriteQuality = conversion.JPEGQuality;
  TPixelGraphic image;
  image.ReadWarningAction = conversion.WarningAction;
  TSourceSize size;
  if (!LoadScaledForFit(input, conversion, formats, image, size)) {
    LoadFromFileIndex(image, input, 0, formats);
    size = {image.Width(), image.Height()};
  }
  // Some readers stop without an error on data they cannot use.
  if (image.Empty()) throw EPixelGraphic(input + ": no picture could be read");
  TPixelGraphic resized;
  TPixelGraphic* picture = &image;
  if (conversion.Resize) {
    // The fitted size comes from the picture's own size, however it was decoded.
    int width = 0, height = 0;
    FitSize(size.Width, size.Height, conversion.FitWidth, conversion.FitHeight, width, height);
    ResizeForConversion(image, width, height, conversion.Quality, conversion.Sharpen, resized);
    picture = &resized;
  }
  picture->SaveColorResWarningAction = conversion.WarningAction;
  TConversionResult result;
  if (ExtensionOf(output) == "gif")
    result.TransparentColorFound = SaveAsGIF(*picture, output, conversion.GIF);
  else
    SaveToFile(*picture, output, formats);
  return result;
}
