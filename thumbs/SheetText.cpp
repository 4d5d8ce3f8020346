#include "thumbs/SheetText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "platform/PGCanvas.h"

QFont TQtSheetText::FontOf(const TSheetFont& font) {
  QFont f(QString::fromStdString(font.Name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Points * 96.0 / 72.0))));
  return f;
}

int TQtSheetText::TextWidth(const TSheetFont& font, const std::string& text) {
  return QFontMetrics(FontOf(font)).horizontalAdvance(QString::fromStdString(text));
}

int TQtSheetText::TextHeight(const TSheetFont& font, const std::string&) {
  return QFontMetrics(FontOf(font)).height();
}

void TQtSheetText::DrawText(TPixelGraphic& sheet, const TSheetFont& font, int x, int y,
                            const std::string& text, const TSheetRect& clip) {
  QPainter& p = PGCanvas(sheet).Painter();
  p.save();
  p.setClipRect(QRect(QPoint(clip.Left, clip.Top), QPoint(clip.Right - 1, clip.Bottom - 1)));
  const QFont f = FontOf(font);
  p.setFont(f);
  p.setPen(QColor(RedOf(font.Color), GreenOf(font.Color), BlueOf(font.Color)));
  p.drawText(x, y + QFontMetrics(f).ascent(), QString::fromStdString(text));
  p.restore();
}
