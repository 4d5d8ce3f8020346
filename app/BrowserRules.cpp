#include "app/BrowserRules.h"

#include <QFileInfo>
#include <cmath>

QString FileSizeText(std::int64_t bytes) {
  return QString::number(bytes / 1024 + 1) + QStringLiteral("K");
}

QString DisplayKindOf(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf('.');
  if (dot < 0) return {};
  return name.mid(dot + 1, 3).toUpper();
}

TDisplayRoute DisplayRouteOf(const QString& kind) {
  if (kind == QLatin1String("AVI")) return TDisplayRoute::Video;
  if (kind == QLatin1String("GIF")) return TDisplayRoute::AnimatedGIF;
  if (kind == QLatin1String("WMF") || kind == QLatin1String("ICO")) return TDisplayRoute::Picture;
  return TDisplayRoute::View;
}

QString MenuCaption(const QString& text) {
  QString caption = text;
  return caption.replace('&', QLatin1String("&&"));
}

QSize FitRuleSize(int w, int h, int paneW, int paneH, bool autoZoom) {
  if (paneW >= w + 8 && paneH >= h + 8 && !autoZoom) return QSize(w, h);
  const QSize fitted = FitToPaneSize(w, h, paneW, paneH);
  return fitted.isValid() ? fitted : QSize(w, h);
}

QSize FitToPaneSize(int w, int h, int paneW, int paneH) {
  if (w < 1 || h < 1 || paneW - 8 < 1 || paneH - 8 < 1) return {};
  const double r = static_cast<double>(h) / w;
  const double p = static_cast<double>(paneH) / paneW;
  if (p >= r)
    return QSize(paneW - 8, std::max(1, static_cast<int>(std::nearbyint(r * (paneW - 8)))));
  return QSize(std::max(1, static_cast<int>(std::nearbyint((paneH - 8) / r))), paneH - 8);
}

QSize ShrinkVideoSize(int w, int h) {
  if (w < 1 || h < 1) return QSize(w, h);
  const double r = static_cast<double>(h) / w;
  if (r > 1) return QSize(static_cast<int>(std::nearbyint(145 / r)), 145);
  return QSize(145, static_cast<int>(std::nearbyint(r * 145)));
}

QString FileTypeMask(const QString& fileTypes) {
  static const char* const kPatterns[10] = {"*.jpg;", "*.gif;", "*.bmp;", "*.ico;", "*.wmf;",
                                            "*.avi;", "*.pcx;", "*.png;", "*.tga;", "*.tif;"};
  QString mask;
  for (int i = 0; i < 10; ++i)
    if (i < fileTypes.size() && fileTypes[i] == '1') mask += QLatin1String(kPatterns[i]);
  if (!mask.isEmpty()) mask.chop(1);
  return mask;
}

QString PictureStatusText(const QString& fileName, int w, int h) {
  return fileName + QStringLiteral("  (%1 x %2)").arg(w).arg(h);
}
