// Plays parsed metafile records with QPainter: the device context of the drawing commands
// (mapping, objects, colours and modes, clipping, paths) and the drawing itself.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTransform>
#include <optional>
#include <vector>

#include "platform/MetafileData.h"

struct TMetaPen {
  int Style = 0;          // PS_* including end-cap and join bits
  double Width = 0;       // logical units; 0 = one device pixel
  QColor Color = Qt::black;
};

struct TMetaBrush {
  int Style = 0;          // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN/BS_DIBPATTERN
  QColor Color = Qt::white;
  int Hatch = 0;
  QImage Pattern;
};

struct TMetaFont {
  double Height = 0;      // logical; negative: character height, positive: cell height
  int Escapement = 0;     // tenths of a degree, counter-clockwise
  int Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  int CharSet = 0;
  QString Face;
};

struct TMetaObject {
  enum TKind { okPen, okBrush, okFont, okPalette, okRegion } Kind = okPen;
  TMetaPen Pen;
  TMetaBrush Brush;
  TMetaFont Font;
  QPainterPath Region;  // logical coordinates
};

struct TMetaDCState {
  TMetaPen Pen;
  TMetaBrush Brush;
  TMetaFont Font;
  QColor TextColor = Qt::black;
  QColor BkColor = Qt::white;
  int BkMode = 2;          // OPAQUE
  int TextAlign = 0;
  int Rop2 = 13;           // R2_COPYPEN
  int PolyFillMode = 1;    // ALTERNATE
  int MapMode = 1;         // MM_TEXT
  int ArcDirection = 1;    // AD_COUNTERCLOCKWISE
  QPointF WindowOrg{0, 0}, WindowExt{1, 1}, ViewportOrg{0, 0}, ViewportExt{1, 1};
  QTransform World;
  QPointF Current;         // logical
  bool HasClip = false;
  QRegion Clip;            // device pixels
};

class TMetafilePlayer {
 public:
  // Plays data's records onto painter's device, the picture filling width x height pixels.
  TMetafilePlayer(QPainter& painter, const TMetafileData& data, int width, int height);
  void Play();

  // ---- used by the record dispatchers --------------------------------------------------
  TMetaDCState S;
  const TMetafileData& Data;

  QTransform Transform() const;  // logical -> device
  QPointF Map(QPointF p) const { return Transform().map(p); }
  // Strokes / fills a logical path with the current pen and brush (or adds it to an open
  // path bracket).
  void DrawPath(const QPainterPath& logical, bool fill, bool stroke);
  void DrawPolyline(const std::vector<QPointF>& points);
  void DrawPolygons(const std::vector<std::vector<QPointF>>& polygons);
  void DrawArc(const QRectF& box, QPointF start, QPointF end, int kind);  // 0 arc, 1 chord, 2 pie
  void LineTo(QPointF p);
  void DrawText(QPointF reference, const QString& text, const std::vector<double>& dx,
                int options, const std::optional<QRectF>& rect);
  void DrawBitmap(const QRectF& dest, const QImage& image, const QRectF& source, std::uint32_t rop);
  void PatBlt(const QRectF& dest, std::uint32_t rop);
  void SetPixel(QPointF p, QColor c);

  // Objects.
  std::vector<std::optional<TMetaObject>> Objects;
  int AddObjectLowest(const TMetaObject& o);  // WMF: the lowest free slot
  void SetObject(std::uint32_t index, const TMetaObject& o);
  void SelectObject(std::uint32_t index);
  void SelectStockObject(std::uint32_t index);
  void DeleteObject(std::uint32_t index);

  void SaveDC();
  void RestoreDC(int relative);

  // Clipping in logical rectangles or device regions.
  void IntersectClip(const QRectF& logical);
  void ExcludeClip(const QRectF& logical);
  void CombineClip(const QRegion& device, int mode);  // RGN_AND .. RGN_COPY
  void ResetClip();
  QRegion DeviceRegion(const QRectF& logical) const;
  // Reference-device pixels to output pixels (enhanced metafiles' region data).
  QTransform ReferenceToOutput() const { return FReference; }

  // Path bracket (enhanced metafiles).
  bool InPath = false;
  QPainterPath Path;  // device coordinates
  void ClosePathFigure() { if (InPath) Path.closeSubpath(); }
  void FinishPath(bool fill, bool stroke);
  void SelectClipPath(int mode);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  void PlayWindows();
  void PlayEnhanced();
  QTransform PageTransform() const;
  QPen DevicePen() const;
  QBrush DeviceBrush() const;
  bool PrepareRop();  // false when the mode draws nothing
  void PaintPath(const QPainterPath& device, const QPen& pen, const QBrush& brush);
  void ApplyClip();
  double DeviceScale() const;

  QPainter& FPainter;
  int FWidth, FHeight;
  QTransform FReference;  // enhanced: reference device -> output
  std::vector<TMetaDCState> FStack;
};

// Record dispatchers (one record each). They raise TMetaRecordOverrun for records whose
// sizes or counts lie about the data.
void PlayWindowsRecord(TMetafilePlayer& player, const TMetaRecord& record);
void PlayEnhancedRecord(TMetafilePlayer& player, const TMetaRecord& record);
// Text in the Symbol font's code page as Unicode (Greek letters, mathematical signs).
QString MetaSymbolText(const QByteArray& bytes);
// A packed device-independent bitmap as a QImage (null when it cannot be read).
QImage MetaDIBToImage(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                      std::size_t bitsSize);
