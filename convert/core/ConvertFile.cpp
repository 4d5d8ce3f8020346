#include "convert/core/ConvertFile.h"

#include "convert/core/ResizeSharpen.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

TConversionResult ConvertFile(const std::string& input, const std::string& output,
                              const TConversion& conversion, const TPGFormatContext& context) {
  TPGFormatContext formats = context;
  if (conversion.JPEGQuality >= 0) formats.Settings.JPEGWriteQuality = conversion.JPEGQuality;
  TPixelGraphic image;
  image.ReadWarningAction = conversion.WarningAction;
  LoadFromFileIndex(image, input, 0, formats);
  // Some readers stop without an error on data they cannot use.
  if (image.Empty()) throw EPixelGraphic(input + ": no picture could be read");
  TPixelGraphic resized;
  TPixelGraphic* picture = &image;
  if (conversion.Resize) {
    int width = 0, height = 0;
    FitSize(image.Width(), image.Height(), conversion.FitWidth, conversion.FitHeight, width,
            height);
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
