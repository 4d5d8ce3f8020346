#include "platform/MetafilePlayer.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QtMath>
#include <cmath>

#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/FormatSettings.h"
#include "platform/PGQtImage.h"

namespace {

// Fixed scales of the metric and English mapping modes, in units per millimetre.
double UnitsPerMillimeter(int mapMode) {
  switch (mapMode) {
    case 2: return 10.0;           // MM_LOMETRIC
    case 3: return 100.0;          // MM_HIMETRIC
    case 4: return 100.0 / 25.4;   // MM_LOENGLISH
    case 5: return 1000.0 / 25.4;  // MM_HIENGLISH
    case 6: return 1440.0 / 25.4;  // MM_TWIPS
    default: return 0.0;
  }
}

Qt::BrushStyle HatchStyle(int hatch) {
  switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

// Geometry far outside the picture (or not finite) is not drawn: the painter would spend
// its time on it or fail.
bool Drawable(const QRectF& device) {
  constexpr double kLimit = 1e7;
  return std::isfinite(device.x()) && std::isfinite(device.y()) && std::isfinite(device.width()) &&
         std::isfinite(device.height()) && std::abs(device.left()) < kLimit &&
         std::abs(device.right()) < kLimit && std::abs(device.top()) < kLimit &&
         std::abs(device.bottom()) < kLimit;
}

}  // namespace

TMetafilePlayer::TMetafilePlayer(QPainter& painter, const TMetafileData& data, int width, int height)
    : Data(data), FPainter(painter), FWidth(width), FHeight(height) {
  Objects.resize(static_cast<std::size_t>(std::clamp(data.ObjectCount, 0, 65535)));
  if (data.Enhanced) {
    // The frame (0.01 mm on the reference device) fills the output.
    const double pxPerMmX = double(data.DevicePixels[0]) / data.DeviceMillimeters[0];
    const double pxPerMmY = double(data.DevicePixels[1]) / data.DeviceMillimeters[1];
    double left = data.Frame[0] * pxPerMmX / 100.0, top = data.Frame[1] * pxPerMmY / 100.0;
    double w = (double(data.Frame[2]) - data.Frame[0]) * pxPerMmX / 100.0;
    double h = (double(data.Frame[3]) - data.Frame[1]) * pxPerMmY / 100.0;
    if (w <= 0 || h <= 0) {
      left = data.Bounds[0];
      top = data.Bounds[1];
      w = double(data.Bounds[2]) - data.Bounds[0] + 1;
      h = double(data.Bounds[3]) - data.Bounds[1] + 1;
    }
    FReference = QTransform::fromTranslate(-left, -top) * QTransform::fromScale(width / w, height / h);
  } else {
    // The placeable box fills the output until the metafile sets its own window.
    S.WindowOrg = QPointF(data.Left, data.Top);
    S.WindowExt = QPointF(data.Right - data.Left, data.Bottom - data.Top);
    S.ViewportExt = QPointF(width, height);
  }
  S.Clip = QRegion(0, 0, width, height);
}

void TMetafilePlayer::Play() {
  FPainter.setRenderHint(QPainter::Antialiasing, true);
  FPainter.setRenderHint(QPainter::TextAntialiasing, true);
  FPainter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  for (const TMetaRecord& record : Data.Records) {
    try {
      if (Data.Enhanced) PlayEnhancedRecord(*this, record);
      else PlayWindowsRecord(*this, record);
    } catch (const TMetaRecordOverrun&) {
      break;  // a record that lies about its data ends playback
    }
  }
}

QTransform TMetafilePlayer::PageTransform() const {
  QPointF wExt = S.WindowExt, vExt = S.ViewportExt;
  if (Data.Enhanced) {
    const double perMm = UnitsPerMillimeter(S.MapMode);
    if (S.MapMode == 1) return QTransform();  // MM_TEXT: logical = device
    if (perMm > 0) {
      wExt = QPointF(Data.DeviceMillimeters[0] * perMm, Data.DeviceMillimeters[1] * perMm);
      vExt = QPointF(Data.DevicePixels[0], -Data.DevicePixels[1]);
    }
  }
  if (wExt.x() == 0) wExt.setX(1);
  if (wExt.y() == 0) wExt.setY(1);
  double sx = vExt.x() / wExt.x(), sy = vExt.y() / wExt.y();
  if (S.MapMode == 7) {  // MM_ISOTROPIC: equal scales, the smaller one
    const double s = std::min(std::abs(sx), std::abs(sy));
    sx = sx < 0 ? -s : s;
    sy = sy < 0 ? -s : s;
  }
  return QTransform::fromTranslate(-S.WindowOrg.x(), -S.WindowOrg.y()) *
         QTransform::fromScale(sx, sy) *
         QTransform::fromTranslate(S.ViewportOrg.x(), S.ViewportOrg.y());
}

QTransform TMetafilePlayer::Transform() const {
  if (Data.Enhanced) return S.World * PageTransform() * FReference;
  return PageTransform();
}

double TMetafilePlayer::DeviceScale() const {
  const QTransform t = Transform();
  return std::sqrt(std::abs(t.determinant()));
}

QPen TMetafilePlayer::DevicePen() const {
  const int style = S.Pen.Style & 0x0F;
  if (style == 5) return Qt::NoPen;  // PS_NULL
  QPen pen(S.Pen.Color);
  const double width = S.Pen.Width * DeviceScale();
  if (width <= 1.0) {
    pen.setWidthF(1.0);
  } else {
    pen.setWidthF(width);
  }
  // Dash patterns in pixels of a thin pen, the lengths GDI uses; wide pens scale them.
  switch (style) {
    case 1: pen.setDashPattern({18, 6}); break;
    case 2: pen.setDashPattern({3, 3}); break;
    case 3: pen.setDashPattern({9, 6, 3, 6}); break;
    case 4: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  const int cap = S.Pen.Style & 0x0F00, join = S.Pen.Style & 0xF000;
  pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
  if (style >= 1 && style <= 4) pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
  return pen;
}

QBrush TMetafilePlayer::DeviceBrush() const {
  switch (S.Brush.Style) {
    case 1: return Qt::NoBrush;
    case 2: return QBrush(S.Brush.Color, HatchStyle(S.Brush.Hatch));
    case 3:
    case 5:
    case 6:
      if (!S.Brush.Pattern.isNull()) return QBrush(S.Brush.Pattern);
      return QBrush(S.Brush.Color);
    default: return QBrush(S.Brush.Color);
  }
}

bool TMetafilePlayer::PrepareRop() {
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  bool rasterOp = true;
  switch (S.Rop2) {
    case 11: return false;  // R2_NOP
    case 6: mode = QPainter::RasterOp_NotDestination; break;
    case 7: mode = QPainter::RasterOp_SourceXorDestination; break;
    case 9: mode = QPainter::RasterOp_SourceAndDestination; break;
    case 15: mode = QPainter::RasterOp_SourceOrDestination; break;
    case 4: mode = QPainter::RasterOp_NotSource; break;
    default: rasterOp = false; break;
  }
  FPainter.setCompositionMode(mode);
  FPainter.setRenderHint(QPainter::Antialiasing, !rasterOp);
  return true;
}

void TMetafilePlayer::ApplyClip() {
  if (S.HasClip) FPainter.setClipRegion(S.Clip);
  else FPainter.setClipping(false);
}

void TMetafilePlayer::DrawPath(const QPainterPath& logical, bool fill, bool stroke) {
  const QPainterPath device = Transform().map(logical);
  if (!Drawable(device.boundingRect())) return;
  if (InPath) {
    Path.addPath(device);
    return;
  }
  if (!PrepareRop()) return;
  ApplyClip();
  QPainterPath p = device;
  p.setFillRule(S.PolyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
  QPen pen = stroke ? DevicePen() : QPen(Qt::NoPen);
  QBrush brush = fill ? DeviceBrush() : QBrush(Qt::NoBrush);
  if (S.Rop2 == 1) {  // R2_BLACK
    if (pen.style() != Qt::NoPen) pen.setColor(Qt::black);
    if (brush.style() != Qt::NoBrush) brush = QBrush(Qt::black);
  } else if (S.Rop2 == 16) {  // R2_WHITE
    if (pen.style() != Qt::NoPen) pen.setColor(Qt::white);
    if (brush.style() != Qt::NoBrush) brush = QBrush(Qt::white);
  }
  FPainter.setBackgroundMode(S.BkMode == 2 ? Qt::OpaqueMode : Qt::TransparentMode);
  FPainter.setBackground(S.BkColor);
  PaintPath(p, pen, brush);
}

// Fills are not antialiased, so that shapes meeting edge to edge (gradients made of bands)
// leave no seams; outlines are.
void TMetafilePlayer::PaintPath(const QPainterPath& device, const QPen& pen, const QBrush& brush) {
  const bool smooth = FPainter.testRenderHint(QPainter::Antialiasing);
  if (brush.style() != Qt::NoBrush) {
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setPen(Qt::NoPen);
    FPainter.setBrush(brush);
    FPainter.drawPath(device);
  }
  if (pen.style() != Qt::NoPen) {
    FPainter.setRenderHint(QPainter::Antialiasing, smooth);
    FPainter.setPen(pen);
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawPath(device);
  }
  FPainter.setRenderHint(QPainter::Antialiasing, smooth);
}

void TMetafilePlayer::DrawPolyline(const std::vector<QPointF>& points) {
  if (points.size() < 2) return;
  QPainterPath path(points[0]);
  for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
  DrawPath(path, false, true);
}

void TMetafilePlayer::DrawPolygons(const std::vector<std::vector<QPointF>>& polygons) {
  QPainterPath path;
  for (const auto& poly : polygons) {
    if (poly.empty()) continue;
    path.moveTo(poly[0]);
    for (std::size_t i = 1; i < poly.size(); ++i) path.lineTo(poly[i]);
    path.closeSubpath();
  }
  DrawPath(path, true, true);
}

void TMetafilePlayer::DrawArc(const QRectF& box, QPointF start, QPointF end, int kind) {
  const QRectF r = box.normalized();
  if (r.width() <= 0 || r.height() <= 0) return;
  const QPointF c = r.center();
  const double rx = r.width() / 2, ry = r.height() / 2;
  // Angles of the radial points, as positions on the ellipse (counter-clockwise, y down).
  auto angle = [&](QPointF p) {
    return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx));
  };
  const double a0 = angle(start), a1 = angle(end);
  double sweep = a1 - a0;
  if (S.ArcDirection == 2) {  // clockwise
    while (sweep >= 0) sweep -= 360;
  } else {
    while (sweep <= 0) sweep += 360;
  }
  QPainterPath path;
  if (kind == 2) {
    path.moveTo(c);
    path.arcTo(r, a0, sweep);
    path.closeSubpath();
  } else {
    path.arcMoveTo(r, a0);
    path.arcTo(r, a0, sweep);
    if (kind == 1) path.closeSubpath();
  }
  DrawPath(path, kind != 0, true);
}

void TMetafilePlayer::LineTo(QPointF p) {
  QPainterPath path(S.Current);
  path.lineTo(p);
  S.Current = p;
  DrawPath(path, false, true);
}

void TMetafilePlayer::DrawText(QPointF reference, const QString& text, const std::vector<double>& dx,
                               int options, const std::optional<QRectF>& rect) {
  if (InPath) return;
  const QTransform t = Transform();
  const bool updateCP = S.TextAlign & 1;
  if (updateCP) reference = S.Current;
  // Fonts stay upright whatever the mapping; their size follows the vertical scale.
  const double scaleY = std::hypot(t.m21(), t.m22());
  // The baseline's direction on the picture, and the scale of advances along it.
  const double escapement = qDegreesToRadians(S.Font.Escapement / 10.0);
  const QPointF baseline = QTransform(t.m11(), t.m12(), t.m21(), t.m22(), 0, 0)
                               .map(QPointF(std::cos(escapement), -std::sin(escapement)));
  const double scaleX = std::hypot(baseline.x(), baseline.y());
  double height = std::abs(S.Font.Height) * scaleY;
  if (S.Font.Height > 0) height *= 0.8;  // cell height to character height
  if (height < 0.5) height = S.Font.Height == 0 ? 12.0 : 0.5;
  QFont font(S.Font.Face.isEmpty() ? QStringLiteral("DejaVu Sans") : S.Font.Face);
  font.setPixelSize(std::max(1, qRound(height)));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(S.Font.Weight == 0 ? 400 : S.Font.Weight, 100, 900)));
  font.setItalic(S.Font.Italic);
  font.setUnderline(S.Font.Underline);
  font.setStrikeOut(S.Font.StrikeOut);
  // A missing face is replaced by one of the fonts at hand, which run wider than the
  // common Windows faces: take their condensed form.
  if (!S.Font.Face.isEmpty() &&
      QFontInfo(font).family().compare(S.Font.Face, Qt::CaseInsensitive) != 0)
    font.setStretch(QFont::SemiCondensed);
  // Where the metafile's fonts are missing, the substitutes are often wider: with the
  // advances given, narrow the glyphs to the room the original font took.
  if (!dx.empty() && !text.isEmpty()) {
    double room = 0;
    for (std::size_t i = 0; i < dx.size() && i < static_cast<std::size_t>(text.size()); ++i)
      room += dx[i] * scaleX;
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    if (room > 0 && natural > room * 1.05)
      font.setStretch(std::clamp(qRound(100.0 * room / natural), 60, 100));
  }
  const QFontMetricsF metrics(font);

  std::vector<double> advances(static_cast<std::size_t>(text.size()));
  double total = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const double a = static_cast<std::size_t>(i) < dx.size() ? dx[static_cast<std::size_t>(i)] * scaleX
                                                             : metrics.horizontalAdvance(text[i]);
    advances[static_cast<std::size_t>(i)] = a;
    total += a;
  }
  double x0 = 0;
  switch (S.TextAlign & 6) {
    case 2: x0 = -total; break;      // TA_RIGHT
    case 6: x0 = -total / 2; break;  // TA_CENTER
    default: break;
  }
  double y0 = metrics.ascent();  // TA_TOP
  if ((S.TextAlign & 24) == 8) y0 = -metrics.descent();  // TA_BOTTOM
  else if ((S.TextAlign & 24) == 24) y0 = 0;             // TA_BASELINE

  if (!PrepareRop()) return;
  const QPointF origin = t.map(reference);
  if (!Drawable(QRectF(origin, QSizeF(total, height))) || height > 4.0 * std::max(FWidth, FHeight) + 100)
    return;
  FPainter.save();
  ApplyClip();
  if (rect && (options & 4)) {  // ETO_CLIPPED
    const QRegion r = DeviceRegion(*rect);
    FPainter.setClipRegion(S.HasClip ? r.intersected(S.Clip) : r);
  }
  if (rect && (options & 2)) {  // ETO_OPAQUE
    FPainter.setPen(Qt::NoPen);
    FPainter.setBrush(S.BkColor);
    FPainter.drawPath(t.map([&] { QPainterPath p; p.addRect(rect->normalized()); return p; }()));
  }
  FPainter.translate(origin);
  // The escapement turns the baseline counter-clockwise in logical space; a mapping with a
  // flipped axis turns it the other way on the picture.
  if (S.Font.Escapement % 3600 != 0)
    FPainter.rotate(qRadiansToDegrees(std::atan2(baseline.y(), baseline.x())));
  if (S.BkMode == 2) {
    FPainter.fillRect(QRectF(x0, y0 - metrics.ascent(), total, metrics.height()), S.BkColor);
  }
  FPainter.setFont(font);
  FPainter.setPen(S.TextColor);
  FPainter.setBackgroundMode(Qt::TransparentMode);  // the background was filled above
  double x = x0;
  if (dx.empty()) {
    FPainter.drawText(QPointF(x, y0), text);
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      FPainter.drawText(QPointF(x, y0), QString(text[i]));
      x += advances[static_cast<std::size_t>(i)];
    }
  }
  FPainter.restore();
  if (updateCP) {
    // The current position moves along the text (in logical units).
    const double logicalAdvance = scaleX > 0 ? total / scaleX : 0;
    S.Current = reference + QPointF(logicalAdvance, 0);
  }
}

void TMetafilePlayer::DrawBitmap(const QRectF& dest, const QImage& image, const QRectF& source,
                                 std::uint32_t rop) {
  if (InPath || image.isNull()) return;
  QRectF src = source.intersected(QRectF(image.rect()));
  if (src.isEmpty()) src = QRectF(image.rect());
  const QImage part = image.copy(src.toAlignedRect()).convertToFormat(QImage::Format_RGB32);
  if (part.isNull() || dest.width() == 0 || dest.height() == 0) return;
  if (!Drawable(Transform().mapRect(dest))) return;
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop) {
    case 0x008800C6: mode = QPainter::RasterOp_SourceAndDestination; break;  // SRCAND
    case 0x00EE0086: mode = QPainter::RasterOp_SourceOrDestination; break;   // SRCPAINT
    case 0x00660046: mode = QPainter::RasterOp_SourceXorDestination; break;  // SRCINVERT
    case 0x00330008: mode = QPainter::RasterOp_NotSource; break;             // NOTSRCCOPY
    case 0x00AA0029: return;                                                 // destination kept
    default: break;
  }
  FPainter.save();
  ApplyClip();
  FPainter.setCompositionMode(mode);
  FPainter.setTransform(QTransform::fromScale(dest.width() / part.width(), dest.height() / part.height()) *
                        QTransform::fromTranslate(dest.x(), dest.y()) * Transform());
  FPainter.drawImage(QPointF(0, 0), part);
  FPainter.restore();
}

void TMetafilePlayer::PatBlt(const QRectF& dest, std::uint32_t rop) {
  if (InPath) return;
  QBrush brush = DeviceBrush();
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop) {
    case 0x00000042: brush = QBrush(Qt::black); break;  // BLACKNESS
    case 0x00FF0062: brush = QBrush(Qt::white); break;  // WHITENESS
    case 0x00550009: mode = QPainter::RasterOp_NotDestination; brush = QBrush(Qt::white); break;
    case 0x005A0049: mode = QPainter::RasterOp_SourceXorDestination; break;  // PATINVERT
    case 0x00AA0029: return;
    default: break;  // PATCOPY and the rest: the brush
  }
  if (brush.style() == Qt::NoBrush || !Drawable(Transform().mapRect(dest))) return;
  FPainter.save();
  ApplyClip();
  FPainter.setCompositionMode(mode);
  FPainter.setRenderHint(QPainter::Antialiasing, false);
  FPainter.setPen(Qt::NoPen);
  FPainter.setBrush(brush);
  QPainterPath p;
  p.addRect(dest);
  FPainter.drawPath(Transform().map(p));
  FPainter.restore();
}

void TMetafilePlayer::SetPixel(QPointF p, QColor c) {
  if (InPath) return;
  FPainter.save();
  ApplyClip();
  const QPointF d = Map(p);
  if (!Drawable(QRectF(d, QSizeF(1, 1)))) {
    FPainter.restore();
    return;
  }
  FPainter.fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), c);
  FPainter.restore();
}

int TMetafilePlayer::AddObjectLowest(const TMetaObject& o) {
  for (std::size_t i = 0; i < Objects.size(); ++i)
    if (!Objects[i]) {
      Objects[i] = o;
      return static_cast<int>(i);
    }
  if (Objects.size() >= 65535) return -1;
  Objects.push_back(o);
  return static_cast<int>(Objects.size() - 1);
}

void TMetafilePlayer::SetObject(std::uint32_t index, const TMetaObject& o) {
  if (index >= 65536) return;
  if (index >= Objects.size()) Objects.resize(index + 1);
  Objects[index] = o;
}

void TMetafilePlayer::SelectObject(std::uint32_t index) {
  if (index & 0x80000000u) {
    SelectStockObject(index & 0x7FFFFFFFu);
    return;
  }
  if (index >= Objects.size() || !Objects[index]) return;
  const TMetaObject& o = *Objects[index];
  switch (o.Kind) {
    case TMetaObject::okPen: S.Pen = o.Pen; break;
    case TMetaObject::okBrush: S.Brush = o.Brush; break;
    case TMetaObject::okFont: S.Font = o.Font; break;
    default: break;
  }
}

void TMetafilePlayer::SelectStockObject(std::uint32_t index) {
  auto brush = [&](int gray) { S.Brush = TMetaBrush{0, QColor(gray, gray, gray), 0, {}}; };
  switch (index) {
    case 0: brush(255); break;
    case 1: brush(192); break;
    case 2: brush(128); break;
    case 3: brush(64); break;
    case 4: brush(0); break;
    case 5: S.Brush.Style = 1; break;
    case 6: S.Pen = TMetaPen{0, 0, Qt::white}; break;
    case 7: S.Pen = TMetaPen{0, 0, Qt::black}; break;
    case 8: S.Pen.Style = 5; break;
    case 10: case 11: case 12: case 13: case 14: case 16: case 17:
      S.Font = TMetaFont{};
      if (index == 10 || index == 11 || index == 16) S.Font.Face = QStringLiteral("DejaVu Sans Mono");
      break;
    default: break;
  }
}

void TMetafilePlayer::DeleteObject(std::uint32_t index) {
  if (index < Objects.size()) Objects[index].reset();
}

void TMetafilePlayer::SaveDC() {
  if (FStack.size() < 10000) FStack.push_back(S);
}

void TMetafilePlayer::RestoreDC(int relative) {
  // Negative: that many levels back; positive: the absolute level.
  std::size_t target;
  if (relative < 0) {
    const std::size_t back = static_cast<std::size_t>(-static_cast<long long>(relative));
    if (back > FStack.size()) return;
    target = FStack.size() - back;
  } else {
    if (relative == 0 || static_cast<std::size_t>(relative) > FStack.size()) return;
    target = static_cast<std::size_t>(relative) - 1;
  }
  S = FStack[target];
  FStack.resize(target);
}

QRegion TMetafilePlayer::DeviceRegion(const QRectF& logical) const {
  QPainterPath p;
  p.addRect(logical.normalized());
  return QRegion(Transform().map(p).boundingRect().toAlignedRect());
}

void TMetafilePlayer::IntersectClip(const QRectF& logical) {
  CombineClip(DeviceRegion(logical), 1);
}

void TMetafilePlayer::ExcludeClip(const QRectF& logical) {
  CombineClip(DeviceRegion(logical), 4);
}

void TMetafilePlayer::CombineClip(const QRegion& device, int mode) {
  const QRegion current = S.HasClip ? S.Clip : QRegion(0, 0, FWidth, FHeight);
  switch (mode) {
    case 1: S.Clip = current.intersected(device); break;
    case 2: S.Clip = current.united(device); break;
    case 3: S.Clip = current.xored(device); break;
    case 4: S.Clip = current.subtracted(device); break;
    default: S.Clip = device; break;
  }
  S.HasClip = true;
}

void TMetafilePlayer::ResetClip() {
  S.HasClip = false;
  S.Clip = QRegion(0, 0, FWidth, FHeight);
}

void TMetafilePlayer::FinishPath(bool fill, bool stroke) {
  if (Path.isEmpty()) return;
  QPainterPath device = Path;
  Path = QPainterPath();
  InPath = false;
  if (!Drawable(device.boundingRect()) || !PrepareRop()) return;
  ApplyClip();
  device.setFillRule(S.PolyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
  FPainter.setBackgroundMode(S.BkMode == 2 ? Qt::OpaqueMode : Qt::TransparentMode);
  FPainter.setBackground(S.BkColor);
  PaintPath(device, stroke ? DevicePen() : QPen(Qt::NoPen), fill ? DeviceBrush() : QBrush(Qt::NoBrush));
}

void TMetafilePlayer::SelectClipPath(int mode) {
  if (!Drawable(Path.boundingRect())) {
    Path = QPainterPath();
    InPath = false;
    return;
  }
  const QRegion r(Path.toFillPolygon().toPolygon(),
                  S.PolyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
  Path = QPainterPath();
  InPath = false;
  CombineClip(r, mode);
}

QImage MetaDIBToImage(const std::uint8_t* bmi, std::size_t bmiSize, const std::uint8_t* bits,
                      std::size_t bitsSize) {
  if (!bmi || bmiSize < 12) return {};
  std::vector<std::uint8_t> packed(bmi, bmi + bmiSize);
  if (bits) packed.insert(packed.end(), bits, bits + bitsSize);
  const bool core = (bmi[0] | (bmi[1] << 8) | (bmi[2] << 16) | (bmi[3] << 24)) == 12;
  try {
    TPixelGraphic image;
    TPGMemoryStream stream(packed);
    ReadDIB(image, stream, core, CurrentFormatSettings().BMPRead16BitExpand);
    return PGToQImage(image);
  } catch (const std::exception&) {
    return {};
  }
}
