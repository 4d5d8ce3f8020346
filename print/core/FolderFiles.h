// The files of a folder as the browser's file list shows them: regular files (hidden ones
// too) whose names match one of the mask's patterns, in name order.
#pragma once

#include <string>
#include <vector>

// Patterns separated by ";" ("*.jpg;*.gif"), with "*" and "?" wildcards, matched without
// regard to ASCII case. An empty mask matches nothing.
std::vector<std::string> SplitMask(const std::string& mask);
bool WildcardMatches(const std::string& pattern, const std::string& name);

// Name order: ASCII case ignored first, then byte order.
bool ListedBefore(const std::string& a, const std::string& b);

// The names (without folder) of the folder's files matching the mask. Raises
// std::filesystem::filesystem_error when the folder cannot be read.
std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask);
