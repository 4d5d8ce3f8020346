// Pieces of the editor window: the view as the commands' document, the kept filter dialogs
// and the zoom tool's cursor.
#pragma once

#include <QCursor>
#include <memory>

#include "dialogs/core/FilterDialogs.h"
#include "editor/core/PictureEditor.h"

class TPGImage;

// The view's picture as the document of the editor's commands.
class TViewEditTarget : public TEditTarget {
 public:
  explicit TViewEditTarget(TPGImage& view) : FView(view) {}
  // Stops the view's render worker first, so the picture may be changed in place.
  TPixelGraphic* Picture() override;
  void Take(std::unique_ptr<TPixelGraphic> picture) override;

 private:
  TPGImage& FView;
};

// The filter dialogs, kept between uses so that they remember their last values.
struct TEditorFilterDialogs {
  TEditorFilterDialogs();
  TRGBFilterDialog RGB;
  TCMYFilterDialog CMY;
  TYCbCrFilterDialog YCbCr;
  THLSFilterDialog HSL;
  THSVFilterDialog HSV;
  TBCGFilterDialog BCG;
  TGrayScaleFilterDialog GrayScale;
  TNegativeFilterDialog Negative;
  TSharpenFilterDialog Sharpen;
  TDetailFilterDialog Detail;
  TSmoothFilterDialog Smooth;
  TBlurFilterDialog Blur;
  TContourFilterDialog Contour;

  // In menu order; the names are the commands' names in the Undo caption.
  TFilterDialog& Point(int index);
  TFilterDialog& Convolution(int index);
  static const char* PointName(int index);
  static const char* ConvolutionName(int index);
  static constexpr int kPointCount = 8;
  static constexpr int kConvolutionCount = 5;
};

// The zoom tool's magnifying glass.
QCursor MagnifierCursor();
