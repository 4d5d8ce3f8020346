// Small rules of the browser window: status texts, display kinds, fitting and file masks.
#pragma once

#include <QSize>
#include <QString>
#include <cstdint>

// Status text of a file size: trunc(bytes / 1024) + 1 followed by "K".
QString FileSizeText(std::int64_t bytes);

// The first three characters after the dot of the extension, upper-cased ("JPE" for x.jpeg).
QString DisplayKindOf(const QString& path);

// The control a display kind is shown on: "AVI" the video player, "GIF" the animated GIF
// control, "WMF" and "ICO" the plain picture control, anything else the view control.
enum class TDisplayRoute { Video, AnimatedGIF, Picture, View };
TDisplayRoute DisplayRouteOf(const QString& kind);

// A text shown as it stands in a menu item ("&" is not taken as an accelerator mark).
QString MenuCaption(const QString& text);

// Size of the display control for content of w x h in a pane of paneW x paneH: natural when
// it fits with 8 pixels to spare (fitted when autoZoom), else fitted.
QSize FitRuleSize(int w, int h, int paneW, int paneH, bool autoZoom);

// The content scaled into the pane less 8 pixels, keeping its aspect (halves round to even).
// An invalid size when the content or the pane less 8 pixels is below 1.
QSize FitToPaneSize(int w, int h, int paneW, int paneH);

// A video too large for the pane shrinks to 145 pixels on its longer side.
QSize ShrinkVideoSize(int w, int h);

// The file mask for the "FileTypes" setting: one pattern per position holding "1".
QString FileTypeMask(const QString& fileTypes);

// Status text for a displayed file: name + "  (" + w + " x " + h + ")".
QString PictureStatusText(const QString& fileName, int w, int h);
