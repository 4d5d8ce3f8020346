// Names of converted files: the source's name with the new extension, and the "!" names
// offered when the target exists.
#pragma once

#include <string>

// The source path with the extension of its file name (the text after the last dot) replaced
// by `extension`. A file name without a dot, or whose only dot leads it (".profile"), keeps its
// whole name and gets the extension appended. Dots in folder names do not count.
std::string ConvertedName(const std::string& source, const std::string& extension);

// The same folder with "!" put in front of the file name.
std::string BangName(const std::string& path);
