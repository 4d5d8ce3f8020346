// The preview picture of the open and save dialogs: the file read at thumbnail quality,
// reduced to the preview size and to the screen's colours (no toolkit involved).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "imaging/PGraphic.h"

struct TPreviewRequest {
  std::string FileName;
  int PreviewWidth = 0, PreviewHeight = 0;
  TStretchMode StretchMode = smFast;
  int ScreenDepth = 24;
  TPaletteIdent Palette24 = pOptimized252Sys16;
  TPaletteIdent Palette8 = pOptimized252Sys16;
};

// Size of a picture fitted into the preview when it is larger in either direction.
void PreviewSize(int width, int height, int previewW, int previewH, int& w, int& h);

// Builds the preview; nothing when the file is missing, unreadable or the build is stopped.
// Progress reports go out when the percent changed and either the 100 ms bucket or
// percent div 16 changed, with the step index times 16 and the percent.
std::unique_ptr<TPixelGraphic> BuildPreview(const TPreviewRequest& request,
                                            const std::atomic<bool>& terminate,
                                            const std::function<void(int, int)>& progress);
