#include "view/DisplayCopyRule.h"

TDisplayCopyDecision DecideDisplayCopy(const TDisplayCopyInput& in) {
  TDisplayCopyDecision d;
  d.Dirty = in.Dirty;
  if (in.StretchMode != smFast && !in.ReduceOnLoad &&
      (in.OrderedW != in.BoxW || in.OrderedH != in.BoxH))
    d.Dirty = true;

  const int D = in.ScreenDepth, I = in.ImageBits;
  const bool resize = in.StretchMode != smFast && (in.BoxW != in.W || in.BoxH != in.H);
  if (in.HasImage) {
    d.Needed = (I > D && D <= 8) || resize;
    if (I <= 8 && D <= 8) {
      const bool reduce = !in.ReduceOnLoad || d.Dirty;
      if (D == 4) {
        d.Needed = d.Needed || (in.ImageIdent != pSys16 && reduce);
      } else if (!d.Needed) {
        d.Needed = in.Palette8 != pSource && in.Palette8 != in.ImageIdent && reduce;
      }
    }
  }
  d.DiscardCurrent = in.CopyPresent && (!d.Needed || (d.Dirty && !in.KeepOldCopy));
  const bool present = in.CopyPresent && !d.DiscardCurrent;
  d.Order = d.Needed && (d.Dirty || (!present && in.PreviousBuildStopped));
  if (!d.Order) return d;

  TDisplayCopyOrder& o = d.OrderSpec;
  o.Width = in.StretchMode != smFast ? in.BoxW : in.W;
  o.Height = in.StretchMode != smFast ? in.BoxH : in.H;
  if (D <= 7) {
    o.Format = pf4Bit;
    o.Palette = pSys16;
  } else if (D > 8) {
    o.Format = pf24Bit;
    o.Palette = pNone;
  } else {
    o.Format = pf8Bit;
    o.Intermediate = in.Allow24BitStretch && in.Palette24 == pOptimized252Sys16 && resize;
    if (o.Intermediate || I == 24)
      o.Palette = in.Palette24;
    else
      o.Palette = in.Palette8;
  }
  return d;
}
