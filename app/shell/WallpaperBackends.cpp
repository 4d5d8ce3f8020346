#include <cstdio>
#include <sstream>
#include <vector>

#include "app/shell/Wallpaper.h"

namespace {

void RunChecked(TCommandRunner& runner, const TCommand& command, std::string* output = nullptr) {
  std::string ignored;
  const int code = runner.Run(command, output ? output : &ignored);
  if (code != 0)
    throw EWallpaperError("The wallpaper could not be set: " + command.Program + " failed" +
                          (code < 0 ? " to start." : " (exit code " + std::to_string(code) + ")."));
}

// GNOME and the desktops built on it keep the picture in org.gnome.desktop.background; the
// dark-style key too, or a dark desktop keeps its old picture.
class TGnomeWallpaper : public TWallpaperBackend {
 public:
  explicit TGnomeWallpaper(TCommandRunner& runner) : FRunner(runner) {}
  std::string Name() const override { return "GNOME"; }
  void Apply(const std::string& file, TWallpaperMode mode) override {
    const char* const schema = "org.gnome.desktop.background";
    if (mode != TWallpaperMode::None) {
      const std::string uri = FileUri(file);
      RunChecked(FRunner, {"gsettings", {"set", schema, "picture-uri", uri}});
      RunChecked(FRunner, {"gsettings", {"set", schema, "picture-uri-dark", uri}});
    }
    RunChecked(FRunner, {"gsettings", {"set", schema, "picture-options", Options(mode)}});
  }

 private:
  static std::string Options(TWallpaperMode mode) {
    switch (mode) {
      case TWallpaperMode::Centered: return "centered";
      case TWallpaperMode::Tiled: return "wallpaper";
      case TWallpaperMode::Stretched: return "stretched";
      case TWallpaperMode::None: break;
    }
    return "none";
  }
  TCommandRunner& FRunner;
};

// Plasma takes a script through org.kde.PlasmaShell.evaluateScript; the picture and its fill
// mode go to every desktop, "(None)" switches them to a plain colour.
class TKdeWallpaper : public TWallpaperBackend {
 public:
  explicit TKdeWallpaper(TCommandRunner& runner) : FRunner(runner) {}
  std::string Name() const override { return "KDE Plasma"; }
  void Apply(const std::string& file, TWallpaperMode mode) override {
    std::string script = "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; ";
    if (mode == TWallpaperMode::None) {
      script += "d.wallpaperPlugin = \"org.kde.color\"; }";
    } else {
      script += "d.wallpaperPlugin = \"org.kde.image\"; d.currentConfigGroup = "
                "Array(\"Wallpaper\", \"org.kde.image\", \"General\"); d.writeConfig(\"Image\", " +
                ScriptString(FileUri(file)) + "); d.writeConfig(\"FillMode\", " +
                std::to_string(FillMode(mode)) + "); }";
    }
    const std::string program = FRunner.Available("qdbus6")   ? "qdbus6"
                                : FRunner.Available("qdbus") ? "qdbus"
                                                             : "dbus-send";
    if (program == "dbus-send")
      RunChecked(FRunner, {program,
                           {"--session", "--type=method_call", "--dest=org.kde.plasmashell",
                            "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript",
                            "string:" + script}});
    else
      RunChecked(FRunner, {program,
                           {"org.kde.plasmashell", "/PlasmaShell",
                            "org.kde.PlasmaShell.evaluateScript", script}});
  }

 private:
  // Plasma's fill modes: 0 stretched, 3 tiled, 6 centred at natural size.
  static int FillMode(TWallpaperMode mode) {
    return mode == TWallpaperMode::Stretched ? 0 : mode == TWallpaperMode::Tiled ? 3 : 6;
  }
  TCommandRunner& FRunner;
};

// XFCE keeps a picture per monitor and workspace: every ".../last-image" property of the
// xfce4-desktop channel is set, with its "image-style" beside it.
class TXfceWallpaper : public TWallpaperBackend {
 public:
  explicit TXfceWallpaper(TCommandRunner& runner) : FRunner(runner) {}
  std::string Name() const override { return "XFCE"; }
  void Apply(const std::string& file, TWallpaperMode mode) override {
    std::string listing;
    RunChecked(FRunner, {"xfconf-query", {"--channel", "xfce4-desktop", "--list"}}, &listing);
    const std::string suffix = "/last-image";
    std::istringstream lines(listing);
    int set = 0;
    for (std::string property; std::getline(lines, property);) {
      if (property.size() <= suffix.size() ||
          property.compare(property.size() - suffix.size(), suffix.size(), suffix) != 0)
        continue;
      const std::string base = property.substr(0, property.size() - suffix.size());
      if (mode != TWallpaperMode::None)
        RunChecked(FRunner, {"xfconf-query",
                             {"--channel", "xfce4-desktop", "--property", property, "--set", file}});
      RunChecked(FRunner, {"xfconf-query",
                           {"--channel", "xfce4-desktop", "--property", base + "/image-style",
                            "--create", "--type", "int", "--set", std::to_string(Style(mode))}});
      ++set;
    }
    if (set == 0)
      throw EWallpaperError("The wallpaper could not be set: XFCE lists no desktop backdrop.");
  }

 private:
  // XFCE's image styles: 0 none, 1 centred, 2 tiled, 3 stretched.
  static int Style(TWallpaperMode mode) {
    switch (mode) {
      case TWallpaperMode::Centered: return 1;
      case TWallpaperMode::Tiled: return 2;
      case TWallpaperMode::Stretched: return 3;
      case TWallpaperMode::None: break;
    }
    return 0;
  }
  TCommandRunner& FRunner;
};

class TUnsupportedWallpaper : public TWallpaperBackend {
 public:
  explicit TUnsupportedWallpaper(std::string desktop) : FDesktop(std::move(desktop)) {}
  std::string Name() const override { return FDesktop; }
  void Apply(const std::string&, TWallpaperMode) override {
    throw EWallpaperError(
        "Setting the wallpaper is not supported on this desktop (" +
        (FDesktop.empty() ? std::string("unknown") : FDesktop) +
        "). Lumivex can set it on GNOME, KDE Plasma and XFCE.");
  }

 private:
  std::string FDesktop;
};

bool Names(const std::string& list, const char* name) {
  std::istringstream parts(list);
  for (std::string part; std::getline(parts, part, ':');) {
    std::string upper;
    for (char c : part) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (upper == name) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<TWallpaperBackend> WallpaperBackendFor(const std::string& currentDesktop,
                                                       TCommandRunner& runner) {
  if (Names(currentDesktop, "KDE")) return std::make_unique<TKdeWallpaper>(runner);
  if (Names(currentDesktop, "XFCE")) return std::make_unique<TXfceWallpaper>(runner);
  for (const char* gnome : {"GNOME", "UNITY", "BUDGIE", "PANTHEON", "GNOME-FLASHBACK"})
    if (Names(currentDesktop, gnome)) return std::make_unique<TGnomeWallpaper>(runner);
  return std::make_unique<TUnsupportedWallpaper>(currentDesktop);
}

std::string FileUri(const std::string& path) {
  std::string uri = "file://";
  for (unsigned char c : path) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
        c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      uri += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      uri += hex;
    }
  }
  return uri;
}

std::string ScriptString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}
