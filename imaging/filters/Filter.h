// The filter contract: a filter tells the colour of a destination pixel computed from a source
// image and, for point filters, what a single colour becomes. ApplyFilter drives any filter
// over a whole image.
//
// A filter object holds only its own settings and the source of the run in progress; it has
// no global state. Clone gives an independent copy with the same settings, so a worker thread
// can filter with its own object while the original is being changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "imaging/PGraphic.h"
#include "imaging/filters/SourceRows.h"

class TPGFilter {
 public:
  TPGFilter() = default;
  TPGFilter(const TPGFilter&) = default;
  TPGFilter& operator=(const TPGFilter&) = default;
  virtual ~TPGFilter() = default;

  // A new filter of the same class with the same settings (and no run in progress).
  virtual std::unique_ptr<TPGFilter> Clone() const = 0;

  // Remembers the source; filters with precomputed tables build them here.
  virtual void Prepare(const TPixelGraphic& source);
  // The destination colour of pixel (x, y), computed from the source; black by default.
  virtual TRGB FilterPixel(int x, int y) const;
  // Forgets the source.
  virtual void Finish();
  // True when a pixel's result depends only on that pixel's colour.
  virtual bool IsPointFilter() const { return false; }
  // Maps one colour; unchanged by default.
  virtual TRGB FilterColor(TRGB color) const { return color; }

  // Destination row y (blue, green, red bytes, Width pixels) between Prepare and Finish; the
  // same colours as FilterPixel. May run for different rows on several threads at once. For
  // point filters `bgr` may be the source's own row y (in-place filtering).
  virtual void FilterRow(int y, std::uint8_t* bgr) const;

 protected:
  const TSourceRows& Source() const { return FSource; }
  bool Prepared() const { return FSource.Prepared(); }

 private:
  TSourceRows FSource;
};

// Point filters: FilterPixel is FilterColor of the source pixel's colour.
class TPGPointFilter : public TPGFilter {
 public:
  bool IsPointFilter() const override { return true; }
  TRGB FilterPixel(int x, int y) const override;
  void FilterRow(int y, std::uint8_t* bgr) const override;

 protected:
  // Maps `count` pixels stored as blue, green, red bytes in place; FilterColor per pixel by
  // default. Subclasses override it with a faster loop giving the same colours.
  virtual void MapPixels(std::uint8_t* bgr, int count) const;
};

// A factory of filters of one class (the "class reference" of a filter kind).
using TPGFilterClass = std::function<std::unique_ptr<TPGFilter>()>;
