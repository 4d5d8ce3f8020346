// The file routines the browser, the move tool, the converter and the thumbnail explorer share.
// None of them ever replaces an existing file.
#pragma once

#include <string>

#include "files/FileErrors.h"

// Copies `source` to a new file `target` through an 8192-byte buffer. Every read, write and
// the close are checked, and the copy must hold exactly as many bytes as the source had
// before and after copying. Raises EFileError "Cannot open file %s" (source), "Cannot create
// file %s" (target, also when it exists), "Cannot read file %s" or "Cannot write file %s"; on
// any failure after the target was created the partial target is removed. Timestamps and
// permissions are not carried over. With `sync` the data reach the disk before returning.
void CopyFileBlocks(const std::string& source, const std::string& target, bool sync = false);

// Moves `source` to `target` (made absolute). Within one file system the file is renamed
// without replacing anything; across file systems it is copied and the source is removed only
// after a complete copy has reached the disk. A read-only source (no owner write permission)
// is not moved across file systems. Raises EFileError "Cannot move file %s" (source), or the
// copy's errors; on failure the source is untouched and no partial target remains.
void RelocateFile(const std::string& source, const std::string& target);

// Renames the entry `oldName` of `folder` to `newName` without replacing an existing entry.
// False (and `reason` set) when the new name is not valid, exists already or the rename
// fails. Renaming to the same name succeeds without doing anything.
bool RenameEntry(const std::string& folder, const std::string& oldName,
                 const std::string& newName, std::string* reason = nullptr);

// Removes a file for good (not folders).
bool DeleteFilePermanently(const std::string& path, std::string* reason = nullptr);

// Creates the folder `name` inside `folder`; the new folder's path, or "" on failure.
std::string AddFolder(const std::string& folder, const std::string& name,
                      std::string* reason = nullptr);
// Removes an empty folder; a folder with content is refused and left as it is.
bool RemoveEmptyFolder(const std::string& path, std::string* reason = nullptr);
