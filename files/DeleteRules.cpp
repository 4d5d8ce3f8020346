#include "files/DeleteRules.h"

std::string DeleteQuestion(const std::string& currentPath, int selectedCount) {
  if (selectedCount < 2) return "Delete file " + currentPath + "?";
  return "Delete selected files?";
}

int EntryAfterDelete(int position, int newCount) {
  if (position >= 0 && position < newCount) return position;
  if (newCount <= 0) return -1;
  const int next = position < 2 ? 0 : position - 1;
  return next < newCount ? next : -1;
}

bool DeletesPermanently(const std::string& deletionsValue) { return deletionsValue == "1"; }

bool ConfirmsDeletions(const std::string& confirmValue) { return confirmValue == "1"; }
