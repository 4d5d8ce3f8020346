// The file associations on a freedesktop desktop: a desktop entry "lumivex.desktop" in
// $XDG_DATA_HOME/applications that opens the files given to it ("%F"), and the program made
// the default application of the ticked picture types in $XDG_CONFIG_HOME/mimeapps.list
// ("[Default Applications]"), every other line of that file kept as it was.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/Preferences.h"

inline constexpr const char* kDesktopEntryName = "lumivex.desktop";

class EAssociationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The MIME types of a picture type (0..9 in the order of FileTypeNames), the usual name
// first and the older aliases after it.
const std::vector<std::string>& MimeTypesOf(int type);
// The MIME types of the ticked types, in type order.
std::vector<std::string> MimeTypesFor(const TFileTypeSet& ticked);

// The text of the desktop entry for the program at `executable`.
std::string DesktopEntryText(const std::string& executable,
                             const std::vector<std::string>& mimeTypes);

// mimeapps.list with `desktopId` as the default of every type in `mimeTypes`: the key of a
// type already in "[Default Applications]" is replaced where it stands, a missing one added at
// the end of that group, a missing group added at the end of the file. Every other line,
// comments and other groups included, stays as it is.
std::string WithDefaults(const std::string& mimeApps, const std::string& desktopId,
                         const std::vector<std::string>& mimeTypes);

// Where the files go: $XDG_DATA_HOME (default ~/.local/share) and $XDG_CONFIG_HOME (default
// ~/.config), from the values given (the environment's, in the program).
struct TAssociationPlaces {
  std::string DataHome;
  std::string ConfigHome;
  std::string EntryPath() const;      // DataHome/applications/lumivex.desktop
  std::string MimeAppsPath() const;   // ConfigHome/mimeapps.list
  static TAssociationPlaces From(const std::string& xdgDataHome, const std::string& xdgConfigHome,
                                 const std::string& home);
};

// Associates the ticked types with the program: mimeapps.list is rewritten first and the
// desktop entry written last, each through a new file renamed over the old one; when the entry
// cannot be written, mimeapps.list gets its old text back, so a failure leaves no half
// association. Raises EAssociationError with the message for the user.
void Associate(const TAssociationPlaces& places, const std::string& executable,
               const TFileTypeSet& ticked);

// Writes `text` to `path` through a new file in the same folder renamed over it (folders made
// as needed). Raises EAssociationError naming `path`.
void WriteFileReplacing(const std::string& path, const std::string& text);
// The file's text, "" when there is none; raises EAssociationError when it cannot be read or
// is larger than 16 MB (not a mimeapps.list).
std::string ReadSmallTextFile(const std::string& path);
