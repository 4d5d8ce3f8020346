// What the file lists do around deleting: the question asked and the entry that becomes
// current afterwards.
#pragma once

#include <string>

// "Delete file <path>?" for one selected entry (or none), "Delete selected files?" for more.
std::string DeleteQuestion(const std::string& currentPath, int selectedCount);

// The entry that becomes current after deleting, given the position before (p) and the number
// of entries after re-reading: p while it is still in the list; otherwise none for an empty
// list, else entry 0 when p < 2, else p - 1, and none when that lies beyond the end.
// -1 means no entry.
int EntryAfterDelete(int position, int newCount);

// The deletion settings: permanent deletion only for a stored "1" (anything else, also text
// that is not a number, means the trash); confirmation only for a stored "1".
bool DeletesPermanently(const std::string& deletionsValue);
bool ConfirmsDeletions(const std::string& confirmValue);
