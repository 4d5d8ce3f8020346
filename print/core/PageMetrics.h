// The reference device a page is laid out for: resolution, paper size and the unprintable
// border, all in device pixels. Page coordinates are measured from the paper's corner.
#pragma once

struct TPageMetrics {
  int ResX = 96;        // pixels per inch across
  int ResY = 96;        // pixels per inch down
  int PageWidth = 816;  // whole paper, in pixels
  int PageHeight = 1056;
  int OffsetX = 0;  // unprintable border at the left and top, in pixels
  int OffsetY = 0;

  bool operator==(const TPageMetrics&) const = default;
};

// Portrait or landscape paper.
enum class TOrientation { poPortrait, poLandscape };

// The page assumed when no printer can serve as reference: US Letter (8.5 x 11 inches) at the
// given screen resolution (96 when it is not positive), turned for landscape.
TPageMetrics FallbackPageMetrics(int screenDpi, TOrientation orientation);

// Metrics a page can be laid out and replayed with: positive resolutions and page size.
bool UsablePageMetrics(const TPageMetrics& metrics);
