// Page navigation in the preview window: which moves are possible and the status text.
#pragma once

#include <string>

class TPreviewNavigation {
 public:
  // Sets the page count; the current page is kept within 0..count-1 (0 when empty).
  void SetPageCount(int count);
  int PageCount() const { return FCount; }
  int Current() const { return FCurrent; }
  bool Empty() const { return FCount <= 0; }

  bool CanGoBack() const { return FCurrent > 0; }
  bool CanGoForward() const { return FCurrent < FCount - 1; }
  // The go-to-page command needs at least two pages.
  bool CanGoToPage() const { return FCount >= 2; }

  void First() { FCurrent = 0; }
  void Previous();
  void Next();
  void Last();
  // Moves to a page counted from 1; false (and no move) outside 1..count.
  bool GoToPageNumber(int number);

  // "Page 1 of 3"; "No pages" for an empty document.
  std::string StatusText() const;

 private:
  int FCount = 0;
  int FCurrent = 0;
};
