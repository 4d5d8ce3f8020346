#include "print/core/PreviewNavigation.h"

#include <algorithm>

void TPreviewNavigation::SetPageCount(int count) {
  FCount = std::max(0, count);
  FCurrent = FCount == 0 ? 0 : std::clamp(FCurrent, 0, FCount - 1);
}

void TPreviewNavigation::Previous() {
  if (CanGoBack()) --FCurrent;
}

void TPreviewNavigation::Next() {
  if (CanGoForward()) ++FCurrent;
}

void TPreviewNavigation::Last() { FCurrent = std::max(0, FCount - 1); }

bool TPreviewNavigation::GoToPageNumber(int number) {
  if (number < 1 || number > FCount) return false;
  FCurrent = number - 1;
  return true;
}

std::string TPreviewNavigation::StatusText() const {
  if (Empty()) return "No pages";
  return "Page " + std::to_string(FCurrent + 1) + " of " + std::to_string(FCount);
}
