// Enhanced metafile records: 32-bit little-endian parameters after the 8-byte record header.
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"

#include <QtMath>
#include <cmath>

namespace {

QColor ColorRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QPointF Pt32(const TMetaParams& p, std::size_t off) { return QPointF(p.S32(off), p.S32(off + 4)); }
QPointF Pt16(const TMetaParams& p, std::size_t off) { return QPointF(p.S16(off), p.S16(off + 2)); }
QRectF Rect32(const TMetaParams& p, std::size_t off) {
  return QRectF(Pt32(p, off), Pt32(p, off + 8));
}

std::vector<QPointF> Points(const TMetaParams& p, std::size_t off, std::size_t count, bool small) {
  const std::size_t size = small ? 4 : 8;
  if (count > p.Size() / size) throw TMetaRecordOverrun();
  p.Need(off, size * count);
  std::vector<QPointF> pts;
  pts.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    pts.push_back(small ? Pt16(p, off + 4 * i) : Pt32(p, off + 8 * i));
  return pts;
}

QTransform XForm(const TMetaParams& p, std::size_t off) {
  return QTransform(p.F32(off), p.F32(off + 4), p.F32(off + 8), p.F32(off + 12), p.F32(off + 16),
                    p.F32(off + 20));
}

// A bitmap given by offsets from the start of the record (which has 8 header bytes).
QImage RecordBitmap(const TMetaParams& p, std::size_t offBmiField) {
  const std::uint32_t offBmi = p.U32(offBmiField), cbBmi = p.U32(offBmiField + 4);
  const std::uint32_t offBits = p.U32(offBmiField + 8), cbBits = p.U32(offBmiField + 12);
  if (cbBmi == 0 || offBmi < 8 || offBits < 8) return {};
  if (!p.Has(offBmi - 8, cbBmi) || !p.Has(offBits - 8, cbBits)) return {};
  return MetaDIBToImage(p.Data() + offBmi - 8, cbBmi, p.Data() + offBits - 8, cbBits);
}

void PolyPoly(TMetafilePlayer& player, const TMetaParams& p, bool small, bool polygon) {
  const std::uint32_t polys = p.U32(16), total = p.U32(20);
  if (polys > p.Size() / 4 || total > p.Size() / 4) throw TMetaRecordOverrun();
  std::size_t off = 24 + 4 * static_cast<std::size_t>(polys);
  std::vector<std::vector<QPointF>> all;
  std::uint64_t used = 0;
  for (std::uint32_t i = 0; i < polys; ++i) {
    const std::uint32_t n = p.U32(24 + 4 * static_cast<std::size_t>(i));
    used += n;
    if (used > total) throw TMetaRecordOverrun();
    all.push_back(Points(p, off, n, small));
    off += (small ? 4 : 8) * static_cast<std::size_t>(n);
  }
  if (polygon) {
    player.DrawPolygons(all);
  } else {
    for (const auto& line : all) player.DrawPolyline(line);
  }
}

void PolyBezier(TMetafilePlayer& player, const std::vector<QPointF>& pts, bool fromCurrent) {
  QPainterPath path;
  std::size_t i = 0;
  if (fromCurrent) {
    path.moveTo(player.S.Current);
  } else {
    if (pts.empty()) return;
    path.moveTo(pts[0]);
    i = 1;
  }
  for (; i + 2 < pts.size(); i += 3) path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
  if (fromCurrent && !pts.empty()) player.S.Current = pts.back();
  player.DrawPath(path, false, true);
}

void TextOut(TMetafilePlayer& player, const TMetaParams& p, bool wide) {
  const QPointF ref = Pt32(p, 28);
  const std::uint32_t chars = p.U32(36), offString = p.U32(40), options = p.U32(44);
  const QRectF rect = Rect32(p, 48);
  const std::uint32_t offDx = p.U32(64);
  if (chars == 0 || offString < 8) return;
  const std::size_t bytes = static_cast<std::size_t>(chars) * (wide ? 2 : 1);
  if (chars > p.Size()) throw TMetaRecordOverrun();
  const TMetaParams str = p.Sub(offString - 8, bytes);
  QString text;
  if (wide) {
    for (std::uint32_t i = 0; i < chars; ++i) text += QChar(str.U16(2 * i));
  } else {
    text = QString::fromLatin1(reinterpret_cast<const char*>(str.Data()), static_cast<qsizetype>(chars));
  }
  if (player.S.Font.CharSet == 2) {
    // Symbol fonts: codes (also in the private area at 0xF000) to the signs they show.
    QByteArray codes;
    for (QChar c : text) codes += static_cast<char>(c.unicode() & 0xFF);
    text = MetaSymbolText(codes);
  }
  std::vector<double> dx;
  if (offDx >= 8 && p.Has(offDx - 8, 4 * static_cast<std::size_t>(chars)))
    for (std::uint32_t i = 0; i < chars; ++i) dx.push_back(p.S32(offDx - 8 + 4 * i));
  std::optional<QRectF> clip;
  if (options & 6) clip = rect;
  player.DrawText(ref, text, dx, static_cast<int>(options), clip);
}

// Rectangles of region data (RGNDATA) as a logical path.
QPainterPath RegionPath(const TMetaParams& rgn) {
  const std::uint32_t count = rgn.U32(8);
  if (count > rgn.Size() / 16) throw TMetaRecordOverrun();
  QPainterPath path;
  for (std::uint32_t i = 0; i < count; ++i)
    path.addRect(Rect32(rgn, 32 + 16 * static_cast<std::size_t>(i)).normalized());
  return path;
}

QColor VertexColor(const TMetaParams& p, std::size_t off) {
  return QColor(p.U16(off + 8) >> 8, p.U16(off + 10) >> 8, p.U16(off + 12) >> 8);
}

// GRADIENTFILL: rectangles shaded left to right (mode 0) or top to bottom (mode 1);
// triangles filled with the mean of their corners.
void GradientFill(TMetafilePlayer& player, const TMetaParams& p) {
  const std::uint32_t vertices = p.U32(16), meshes = p.U32(20), mode = p.U32(24);
  if (vertices > p.Size() / 16 || meshes > p.Size() / 8) throw TMetaRecordOverrun();
  const std::size_t meshStart = 28 + 16 * static_cast<std::size_t>(vertices);
  auto vertex = [&](std::uint32_t i) -> std::size_t {
    if (i >= vertices) throw TMetaRecordOverrun();
    return 28 + 16 * static_cast<std::size_t>(i);
  };
  const TMetaDCState saved = player.S;
  player.S.Pen.Style = 5;
  for (std::uint32_t m = 0; m < meshes; ++m) {
    if (mode <= 1) {
      const std::size_t a = vertex(p.U32(meshStart + 8 * m)), b = vertex(p.U32(meshStart + 8 * m + 4));
      const QRectF r(Pt32(p, a), Pt32(p, b));
      const QColor c0 = VertexColor(p, a), c1 = VertexColor(p, b);
      // Bands of the gradient, as GDI would shade them on a palette-less device.
      const int bands = 64;
      for (int k = 0; k < bands; ++k) {
        const double t0 = double(k) / bands, t1 = double(k + 1) / bands, tm = (t0 + t1) / 2;
        player.S.Brush = TMetaBrush{0, QColor::fromRgbF(c0.redF() + (c1.redF() - c0.redF()) * tm,
                                                        c0.greenF() + (c1.greenF() - c0.greenF()) * tm,
                                                        c0.blueF() + (c1.blueF() - c0.blueF()) * tm),
                                    0, {}};
        QPainterPath band;
        if (mode == 0)
          band.addRect(QRectF(r.left() + r.width() * t0, r.top(), r.width() * (t1 - t0), r.height()).normalized());
        else
          band.addRect(QRectF(r.left(), r.top() + r.height() * t0, r.width(), r.height() * (t1 - t0)).normalized());
        player.DrawPath(band, true, false);
      }
    } else {
      const std::size_t off = meshStart + 12 * static_cast<std::size_t>(m);
      const std::size_t a = vertex(p.U32(off)), b = vertex(p.U32(off + 4)), c = vertex(p.U32(off + 8));
      const QColor ca = VertexColor(p, a), cb = VertexColor(p, b), cc = VertexColor(p, c);
      player.S.Brush = TMetaBrush{0, QColor((ca.red() + cb.red() + cc.red()) / 3,
                                            (ca.green() + cb.green() + cc.green()) / 3,
                                            (ca.blue() + cb.blue() + cc.blue()) / 3),
                                  0, {}};
      player.DrawPolygons({{Pt32(p, a), Pt32(p, b), Pt32(p, c)}});
    }
  }
  player.S = saved;
}

// SMALLTEXTOUT: x, y, count, options, graphics mode, scales, optional clip rectangle, then
// 8-bit (ETO_SMALL_CHARS) or 16-bit characters.
void SmallTextOut(TMetafilePlayer& player, const TMetaParams& p) {
  const QPointF ref = Pt32(p, 0);
  const std::uint32_t chars = p.U32(8), options = p.U32(12);
  if (chars > p.Size()) throw TMetaRecordOverrun();
  std::size_t off = 28;
  std::optional<QRectF> clip;
  if (!(options & 0x100)) {  // ETO_NO_RECT
    clip = Rect32(p, off);
    off += 16;
  }
  QString text;
  if (options & 0x200) {  // ETO_SMALL_CHARS
    const TMetaParams str = p.Sub(off, chars);
    text = QString::fromLatin1(reinterpret_cast<const char*>(str.Data()), static_cast<qsizetype>(chars));
  } else {
    const TMetaParams str = p.Sub(off, 2 * static_cast<std::size_t>(chars));
    for (std::uint32_t i = 0; i < chars; ++i) text += QChar(str.U16(2 * i));
  }
  if (player.S.Font.CharSet == 2) {
    QByteArray codes;
    for (QChar c : text) codes += static_cast<char>(c.unicode() & 0xFF);
    text = MetaSymbolText(codes);
  }
  player.DrawText(ref, text, {}, static_cast<int>(options & 6), (options & 6) ? clip : std::nullopt);
}

// POLYDRAW: points with a type byte each (move, line, Bezier, close figure).
void PolyDraw(TMetafilePlayer& player, const TMetaParams& p, bool small) {
  const std::uint32_t count = p.U32(16);
  const std::vector<QPointF> pts = Points(p, 20, count, small);
  const TMetaParams types = p.Sub(20 + (small ? 4 : 8) * static_cast<std::size_t>(count), count);
  QPainterPath path(player.S.Current);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t t = types.U8(i);
    switch (t & 6) {
      case 6: path.moveTo(pts[i]); break;
      case 4:
        if (i + 2 < count) {
          path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
          i += 2;
        }
        break;
      default: path.lineTo(pts[i]); break;
    }
    if (types.U8(i) & 1) path.closeSubpath();
  }
  player.S.Current = path.currentPosition();
  player.DrawPath(path, false, true);
}

void SetExtent(QPointF& ext, const TMetaParams& p) {
  ext = QPointF(p.S32(0), p.S32(4));
}

}  // namespace

void PlayEnhancedRecord(TMetafilePlayer& player, const TMetaRecord& record) {
  const TMetaParams& p = record.Params;
  TMetaDCState& s = player.S;
  switch (record.Type) {
    case emrPolyBezier: PolyBezier(player, Points(p, 20, p.U32(16), false), false); break;
    case emrPolygon: player.DrawPolygons({Points(p, 20, p.U32(16), false)}); break;
    case emrPolyline: player.DrawPolyline(Points(p, 20, p.U32(16), false)); break;
    case emrPolyBezierTo: PolyBezier(player, Points(p, 20, p.U32(16), false), true); break;
    case emrPolyLineTo:
    case emrPolyLineTo16: {
      std::vector<QPointF> pts = Points(p, 20, p.U32(16), record.Type == emrPolyLineTo16);
      pts.insert(pts.begin(), s.Current);
      if (!pts.empty()) s.Current = pts.back();
      player.DrawPolyline(pts);
      break;
    }
    case emrPolyPolyline: PolyPoly(player, p, false, false); break;
    case emrPolyPolygon: PolyPoly(player, p, false, true); break;
    case emrSetWindowExtEx: SetExtent(s.WindowExt, p); break;
    case emrSetWindowOrgEx: s.WindowOrg = Pt32(p, 0); break;
    case emrSetViewportExtEx: SetExtent(s.ViewportExt, p); break;
    case emrSetViewportOrgEx: s.ViewportOrg = Pt32(p, 0); break;
    case emrSetPixelV: player.SetPixel(Pt32(p, 0), ColorRef(p.U32(8))); break;
    case emrSetMapMode: s.MapMode = static_cast<int>(p.U32(0)); break;
    case emrSetBkMode: s.BkMode = static_cast<int>(p.U32(0)); break;
    case emrSetPolyFillMode: s.PolyFillMode = static_cast<int>(p.U32(0)); break;
    case emrSetRop2: s.Rop2 = static_cast<int>(p.U32(0)); break;
    case emrSetTextAlign: s.TextAlign = static_cast<int>(p.U32(0)); break;
    case emrSetTextColor: s.TextColor = ColorRef(p.U32(0)); break;
    case emrSetBkColor: s.BkColor = ColorRef(p.U32(0)); break;
    case emrMoveToEx: s.Current = Pt32(p, 0); break;
    case emrExcludeClipRect: player.ExcludeClip(Rect32(p, 0)); break;
    case emrIntersectClipRect: player.IntersectClip(Rect32(p, 0)); break;
    case emrScaleViewportExtEx:
    case emrScaleWindowExtEx: {
      const std::int32_t xn = p.S32(0), xd = p.S32(4), yn = p.S32(8), yd = p.S32(12);
      if (xd == 0 || yd == 0) break;
      QPointF& ext = record.Type == emrScaleViewportExtEx ? s.ViewportExt : s.WindowExt;
      ext = QPointF(ext.x() * xn / xd, ext.y() * yn / yd);
      break;
    }
    case emrSaveDC: player.SaveDC(); break;
    case emrRestoreDC: player.RestoreDC(p.S32(0)); break;
    case emrSetWorldTransform: s.World = XForm(p, 0); break;
    case emrModifyWorldTransform: {
      const QTransform x = XForm(p, 0);
      switch (p.U32(24)) {
        case 1: s.World = QTransform(); break;
        case 2: s.World = x * s.World; break;
        case 3: s.World = s.World * x; break;
        case 4: s.World = x; break;
        default: break;
      }
      break;
    }
    case emrSelectObject: player.SelectObject(p.U32(0)); break;
    case emrCreatePen: {
      TMetaObject o;
      o.Kind = TMetaObject::okPen;
      o.Pen.Style = static_cast<int>(p.U32(4));
      o.Pen.Width = p.S32(8);
      o.Pen.Color = ColorRef(p.U32(16));
      player.SetObject(p.U32(0), o);
      break;
    }
    case emrCreateBrushIndirect: {
      TMetaObject o;
      o.Kind = TMetaObject::okBrush;
      o.Brush.Style = static_cast<int>(p.U32(4));
      o.Brush.Color = ColorRef(p.U32(8));
      o.Brush.Hatch = static_cast<int>(p.U32(12));
      player.SetObject(p.U32(0), o);
      break;
    }
    case emrDeleteObject: player.DeleteObject(p.U32(0)); break;
    case emrAngleArc: {
      const QPointF c = Pt32(p, 0);
      const double r = p.U32(8);
      const float start = p.F32(12), sweep = p.F32(16);
      QPainterPath path(s.Current);
      const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
      path.arcTo(box, start, sweep);
      s.Current = path.currentPosition();
      player.DrawPath(path, false, true);
      break;
    }
    case emrEllipse: {
      QPainterPath path;
      path.addEllipse(Rect32(p, 0).normalized());
      player.DrawPath(path, true, true);
      break;
    }
    case emrRectangle: {
      QPainterPath path;
      path.addRect(Rect32(p, 0).normalized());
      player.DrawPath(path, true, true);
      break;
    }
    case emrRoundRect: {
      QPainterPath path;
      path.addRoundedRect(Rect32(p, 0).normalized(), std::abs(p.S32(16)) / 2.0, std::abs(p.S32(20)) / 2.0);
      player.DrawPath(path, true, true);
      break;
    }
    case emrArc: player.DrawArc(Rect32(p, 0), Pt32(p, 16), Pt32(p, 24), 0); break;
    case emrChord: player.DrawArc(Rect32(p, 0), Pt32(p, 16), Pt32(p, 24), 1); break;
    case emrPie: player.DrawArc(Rect32(p, 0), Pt32(p, 16), Pt32(p, 24), 2); break;
    case emrLineTo: player.LineTo(Pt32(p, 0)); break;
    case emrArcTo: {  // a line to the arc's start, the arc, the current position at its end
      const QRectF box = Rect32(p, 0).normalized();
      if (box.width() <= 0 || box.height() <= 0) break;
      const QPointF c = box.center();
      const double rx = box.width() / 2, ry = box.height() / 2;
      auto angle = [&](QPointF q) {
        return qRadiansToDegrees(std::atan2(-(q.y() - c.y()) / ry, (q.x() - c.x()) / rx));
      };
      const double a0 = angle(Pt32(p, 16)), a1 = angle(Pt32(p, 24));
      double sweep = a1 - a0;
      if (s.ArcDirection == 2) {
        while (sweep >= 0) sweep -= 360;
      } else {
        while (sweep <= 0) sweep += 360;
      }
      QPainterPath path(s.Current);
      path.arcTo(box, a0, sweep);
      s.Current = path.currentPosition();
      player.DrawPath(path, false, true);
      break;
    }
    case emrFillRgn:  // rclBounds, cbRgnData, ihBrush, region
    case emrPaintRgn: {  // rclBounds, cbRgnData, region (current brush)
      const bool fillRgn = record.Type == emrFillRgn;
      const std::uint32_t size = p.U32(16);
      const TMetaParams rgn = p.Sub(fillRgn ? 24 : 20, size);
      const TMetaBrush saved = s.Brush;
      const TMetaPen savedPen = s.Pen;
      if (fillRgn) player.SelectObject(p.U32(20));
      s.Pen.Style = 5;
      player.DrawPath(RegionPath(rgn), true, false);
      s.Brush = saved;
      s.Pen = savedPen;
      break;
    }
    case emrInvertRgn: {
      const std::uint32_t size = p.U32(16);
      const QPainterPath path = RegionPath(p.Sub(20, size));
      const int rop = s.Rop2;
      const TMetaPen savedPen = s.Pen;
      s.Rop2 = 6;
      s.Pen.Style = 5;
      player.DrawPath(path, true, false);
      s.Rop2 = rop;
      s.Pen = savedPen;
      break;
    }
    case emrAlphaBlend:  // drawn as a stretched copy
    case emrTransparentBlt: {  // the same
      const QRectF dest(p.S32(16), p.S32(20), p.S32(24), p.S32(28));
      const QImage image = RecordBitmap(p, 76);
      const QRectF source(p.S32(36), p.S32(40), p.S32(92), p.S32(96));
      player.DrawBitmap(dest, image, source, 0x00CC0020);
      break;
    }
    case emrGradientFill: GradientFill(player, p); break;
    case emrSmallTextOut: SmallTextOut(player, p); break;
    case emrPolyDraw: PolyDraw(player, p, false); break;
    case emrPolyDraw16: PolyDraw(player, p, true); break;
    case emrSetArcDirection: s.ArcDirection = static_cast<int>(p.U32(0)); break;
    case emrBeginPath:
      player.InPath = true;
      player.Path = QPainterPath();
      break;
    case emrEndPath: player.InPath = false; break;
    case emrCloseFigure: player.ClosePathFigure(); break;
    case emrFillPath: player.FinishPath(true, false); break;
    case emrStrokeAndFillPath: player.FinishPath(true, true); break;
    case emrStrokePath: player.FinishPath(false, true); break;
    case emrSelectClipPath: player.SelectClipPath(static_cast<int>(p.U32(0))); break;
    case emrAbortPath:
      player.InPath = false;
      player.Path = QPainterPath();
      break;
    case emrExtSelectClipRgn: {  // region data in reference-device pixels
      const std::uint32_t size = p.U32(0), mode = p.U32(4);
      if (size == 0) {
        if (mode == 5) player.ResetClip();
        break;
      }
      const TMetaParams rgn = p.Sub(8, size);
      const std::uint32_t count = rgn.U32(8);
      if (count > rgn.Size() / 16) throw TMetaRecordOverrun();
      QRegion region;
      for (std::uint32_t i = 0; i < count; ++i) {
        const QRectF r = Rect32(rgn, 32 + 16 * static_cast<std::size_t>(i));
        region += player.ReferenceToOutput().mapRect(r).toAlignedRect();
      }
      player.CombineClip(region, static_cast<int>(mode));
      break;
    }
    case emrBitBlt:
    case emrStretchBlt: {
      const QRectF dest(p.S32(16), p.S32(20), p.S32(24), p.S32(28));
      const std::uint32_t rop = p.U32(32);
      const QImage image = RecordBitmap(p, 76);
      if (image.isNull() && p.U32(80) == 0) {
        player.PatBlt(dest, rop);
        break;
      }
      QRectF source(p.S32(36), p.S32(40), dest.width(), dest.height());
      if (record.Type == emrStretchBlt) source.setSize(QSizeF(p.S32(92), p.S32(96)));
      player.DrawBitmap(dest, image, source, rop);
      break;
    }
    case emrSetDIBitsToDevice:
    case emrStretchDIBits: {
      const QImage image = RecordBitmap(p, 40);
      const double sx = p.S32(24), sy = p.S32(28), sw = p.S32(32), sh = p.S32(36);
      const double dw = record.Type == emrStretchDIBits ? p.S32(64) : sw, dh = record.Type == emrStretchDIBits ? p.S32(68) : sh;
      const std::uint32_t rop = record.Type == emrStretchDIBits ? p.U32(60) : 0x00CC0020;
      // Source rows count from the bottom of the bitmap.
      const double top = image.isNull() ? sy : image.height() - sy - sh;
      player.DrawBitmap(QRectF(p.S32(16), p.S32(20), dw, dh), image, QRectF(sx, top, sw, sh), rop);
      break;
    }
    case emrExtCreateFontIndirectW: {
      TMetaObject o;
      o.Kind = TMetaObject::okFont;
      o.Font.Height = p.S32(4);
      o.Font.Escapement = p.S32(12);
      o.Font.Weight = p.S32(20);
      o.Font.Italic = p.U8(24) != 0;
      o.Font.Underline = p.U8(25) != 0;
      o.Font.StrikeOut = p.U8(26) != 0;
      o.Font.CharSet = p.U8(27);
      for (std::size_t i = 0; i < 32 && p.Has(32 + 2 * i, 2) && p.U16(32 + 2 * i) != 0; ++i)
        o.Font.Face += QChar(p.U16(32 + 2 * i));
      if (o.Font.Face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0) o.Font.CharSet = 2;
      player.SetObject(p.U32(0), o);
      break;
    }
    case emrExtTextOutA: TextOut(player, p, false); break;
    case emrExtTextOutW: TextOut(player, p, true); break;
    case emrPolyBezier16: {
      const std::vector<QPointF> pts = Points(p, 20, p.U32(16), true);
      PolyBezier(player, pts, false);
      break;
    }
    case emrPolygon16: player.DrawPolygons({Points(p, 20, p.U32(16), true)}); break;
    case emrPolyline16: player.DrawPolyline(Points(p, 20, p.U32(16), true)); break;
    case emrPolyBezierTo16: PolyBezier(player, Points(p, 20, p.U32(16), true), true); break;
    case emrPolyPolyline16: PolyPoly(player, p, true, false); break;
    case emrPolyPolygon16: PolyPoly(player, p, true, true); break;
    case emrCreateMonoBrush:
    case emrCreateDIBPatternBrushPt: {
      TMetaObject o;
      o.Kind = TMetaObject::okBrush;
      o.Brush.Style = 5;
      o.Brush.Color = Qt::gray;
      o.Brush.Pattern = RecordBitmap(p, 8);
      player.SetObject(p.U32(0), o);
      break;
    }
    case emrExtCreatePen: {
      TMetaObject o;
      o.Kind = TMetaObject::okPen;
      o.Pen.Style = static_cast<int>(p.U32(20) & 0xFFFF);
      o.Pen.Width = p.U32(24);
      // Cosmetic pens are one pixel wide whatever their width says.
      if ((p.U32(20) & 0x00010000u) == 0) o.Pen.Width = 0;
      o.Pen.Color = ColorRef(p.U32(32));
      if (p.U32(28) == 1) o.Pen.Style = 5;  // a hollow brush draws nothing
      player.SetObject(p.U32(0), o);
      break;
    }
    default: break;  // records without a visible effect here are skipped
  }
}
