// Windows metafile records. Parameters come in 16-bit words, most in reverse order
// (y before x, bottom-right before top-left).
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"

namespace {

QColor ColorRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QColor WordColor(const TMetaParams& p, std::size_t word) {
  return ColorRef(static_cast<std::uint32_t>(p.U16(2 * word)) |
                  (static_cast<std::uint32_t>(p.U16(2 * word + 2)) << 16));
}

std::uint32_t WordRop(const TMetaParams& p) {
  return static_cast<std::uint32_t>(p.U16(0)) | (static_cast<std::uint32_t>(p.U16(2)) << 16);
}

QPointF Pt(const TMetaParams& p, std::size_t word) { return QPointF(p.W(word), p.W(word + 1)); }
// A point stored y first.
QPointF Pt2(const TMetaParams& p, std::size_t word) { return QPointF(p.W(word + 1), p.W(word)); }

// left, top, right, bottom stored as bottom, right, top, left from `word`.
QRectF ReversedRect(const TMetaParams& p, std::size_t word) {
  return QRectF(QPointF(p.W(word + 3), p.W(word + 2)), QPointF(p.W(word + 1), p.W(word)));
}

std::vector<QPointF> Points(const TMetaParams& p, std::size_t word, std::size_t count) {
  p.Need(2 * word, 4 * count);
  std::vector<QPointF> pts;
  pts.reserve(count);
  for (std::size_t i = 0; i < count; ++i) pts.push_back(Pt(p, word + 2 * i));
  return pts;
}

}  // namespace

// Symbol-font letters as the Greek letters and signs they show.
QString MetaSymbolText(const QByteArray& bytes) {
  static const char16_t kUpper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι', u'ϑ', u'Κ', u'Λ', u'Μ',
                                      u'Ν', u'Ο', u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
  static const char16_t kLower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ', u'λ', u'μ',
                                      u'ν', u'ο', u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
  // Bracket and brace pieces of tall formulas.
  static const char16_t kPiecesLeft[10] = {u'⎛', u'⎜', u'⎝', u'⎡', u'⎢', u'⎣', u'⎧', u'⎨', u'⎩', u'⎪'};
  static const char16_t kPiecesRight[9] = {u'⎞', u'⎟', u'⎠', u'⎤', u'⎥', u'⎦', u'⎫', u'⎬', u'⎭'};
  QString s;
  for (char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') s += QChar(kUpper[c - 'A']);
    else if (c >= 'a' && c <= 'z') s += QChar(kLower[c - 'a']);
    else if (c == 0xB4) s += QChar(u'×');
    else if (c == 0xB1) s += QChar(u'±');
    else if (c == 0xA3) s += QChar(u'≤');
    else if (c == 0xB3) s += QChar(u'≥');
    else if (c == 0xB9) s += QChar(u'≠');
    else if (c == 0xBB) s += QChar(u'≈');
    else if (c == 0xA5) s += QChar(u'∞');
    else if (c == 0xB6) s += QChar(u'∂');
    else if (c == 0xD6) s += QChar(u'√');
    else if (c == 0xE5) s += QChar(u'∑');
    else if (c == 0xF2) s += QChar(u'∫');
    else if (c == 0xD5) s += QChar(u'∏');
    else if (c == 0x2D) s += QChar(u'−');
    else if (c == 0xAE) s += QChar(u'→');
    else if (c == 0xAC) s += QChar(u'←');
    else if (c == 0xD7) s += QChar(u'⋅');
    else if (c >= 0xE6 && c <= 0xEF) s += QChar(kPiecesLeft[c - 0xE6]);
    else if (c >= 0xF6 && c <= 0xFE) s += QChar(kPiecesRight[c - 0xF6]);
    else if (c == 0xE1) s += QChar(u'〈');
    else if (c == 0xF1) s += QChar(u'〉');
    else if (c == 0xBE) s += QChar(u'⎯');
    else if (c == 0xBD) s += QChar(u'⏐');
    else s += QChar::fromLatin1(ch);
  }
  return s;
}

namespace {

QString DecodeText(const TMetafilePlayer& player, const QByteArray& bytes) {
  if (player.S.Font.CharSet == 2) return MetaSymbolText(bytes);
  return QString::fromLatin1(bytes);
}

TMetaFont ReadLogFont(const TMetaParams& p) {
  TMetaFont f;
  f.Height = p.W(0);
  f.Escapement = p.W(2);
  f.Weight = p.W(4);
  f.Italic = p.U8(10) != 0;
  f.Underline = p.U8(11) != 0;
  f.StrikeOut = p.U8(12) != 0;
  f.CharSet = p.U8(13);
  QByteArray face;
  for (std::size_t i = 18; i < 18 + 32 && p.Has(i, 1) && p.U8(i) != 0; ++i)
    face += static_cast<char>(p.U8(i));
  f.Face = QString::fromLatin1(face);
  if (f.Face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0) f.CharSet = 2;
  return f;
}

// A region object: header, bounds, then scans of (count, top, bottom, x pairs, count).
QPainterPath ReadRegion(const TMetaParams& p) {
  const int scans = p.U16(10);
  QPainterPath path;
  std::size_t off = 22;
  for (int i = 0; i < scans; ++i) {
    const int count = p.U16(off);
    const int top = p.S16(off + 2), bottom = p.S16(off + 4);
    p.Need(off + 6, 2 * static_cast<std::size_t>(count) + 2);
    for (int k = 0; k + 1 < count; k += 2) {
      const int left = p.S16(off + 6 + 2 * static_cast<std::size_t>(k));
      const int right = p.S16(off + 8 + 2 * static_cast<std::size_t>(k));
      path.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
    }
    off += 6 + 2 * static_cast<std::size_t>(count) + 2;
  }
  return path;  // scans do not overlap
}

const QPainterPath* RegionObject(const TMetafilePlayer& player, std::uint32_t index) {
  if (index >= player.Objects.size() || !player.Objects[index] ||
      player.Objects[index]->Kind != TMetaObject::okRegion)
    return nullptr;
  return &player.Objects[index]->Region;
}

// Fills a region with a brush object (or the current brush), without outline.
void FillRegion(TMetafilePlayer& player, const QPainterPath& region, int brushIndex, int rop2 = 0) {
  const TMetaDCState saved = player.S;
  if (brushIndex >= 0) player.SelectObject(static_cast<std::uint32_t>(brushIndex));
  player.S.Pen.Style = 5;
  if (rop2) player.S.Rop2 = rop2;
  player.DrawPath(region, true, false);
  player.S = saved;
}

void Blit(TMetafilePlayer& player, const TMetaParams& p, std::uint32_t function, std::size_t words) {
  const std::uint32_t rop = WordRop(p);
  const bool noBitmap = words == ((function >> 8) + 3);
  if (function == wmfDIBBitBlt) {  // DIBBITBLT
    if (noBitmap) {
      player.PatBlt(QRectF(p.W(8), p.W(7), p.W(6), p.W(5)), rop);
      return;
    }
    const QRectF dest(p.W(7), p.W(6), p.W(5), p.W(4));
    const TMetaParams dib = p.Sub(16, p.Size() - 16);
    const QImage image = MetaDIBToImage(dib.Data(), dib.Size(), nullptr, 0);
    player.DrawBitmap(dest, image, QRectF(p.W(3), p.W(2), dest.width(), dest.height()), rop);
  } else if (function == wmfDIBStretchBlt) {  // DIBSTRETCHBLT
    if (noBitmap) {
      player.PatBlt(QRectF(p.W(10), p.W(9), p.W(8), p.W(7)), rop);
      return;
    }
    const QRectF dest(p.W(9), p.W(8), p.W(7), p.W(6));
    const QRectF source(p.W(5), p.W(4), p.W(3), p.W(2));
    const TMetaParams dib = p.Sub(20, p.Size() - 20);
    player.DrawBitmap(dest, MetaDIBToImage(dib.Data(), dib.Size(), nullptr, 0), source, rop);
  } else {  // STRETCHDIB
    const QRectF dest(p.W(10), p.W(9), p.W(8), p.W(7));
    const QRectF source(p.W(6), p.W(5), p.W(4), p.W(3));
    const TMetaParams dib = p.Sub(22, p.Size() - 22);
    player.DrawBitmap(dest, MetaDIBToImage(dib.Data(), dib.Size(), nullptr, 0), source, rop);
  }
}

}  // namespace

void PlayWindowsRecord(TMetafilePlayer& player, const TMetaRecord& record) {
  const TMetaParams& p = record.Params;
  TMetaDCState& s = player.S;
  const std::size_t words = (p.Size() + 6) / 2;
  switch (record.Type) {
    case wmfSetMapMode: s.MapMode = p.W(0); break;
    case wmfSetRop2: s.Rop2 = p.W(0); break;
    case wmfSetPolyFillMode: s.PolyFillMode = p.W(0); break;
    case wmfSetBkMode: s.BkMode = p.W(0); break;
    case wmfSetTextAlign: s.TextAlign = p.U16(0); break;
    case wmfSetBkColor: s.BkColor = WordColor(p, 0); break;
    case wmfSetTextColor: s.TextColor = WordColor(p, 0); break;
    case wmfSetWindowOrg: s.WindowOrg = QPointF(p.W(1), p.W(0)); break;
    case wmfSetWindowExt: s.WindowExt = QPointF(p.W(1), p.W(0)); break;
    case wmfOffsetWindowOrg: s.WindowOrg += QPointF(p.W(1), p.W(0)); break;
    case wmfScaleWindowExt:  // yDenom, yNum, xDenom, xNum
      if (p.W(0) != 0 && p.W(2) != 0)
        s.WindowExt = QPointF(s.WindowExt.x() * p.W(3) / p.W(2), s.WindowExt.y() * p.W(1) / p.W(0));
      break;
    case wmfMoveTo: s.Current = QPointF(p.W(1), p.W(0)); break;
    case wmfLineTo: player.LineTo(QPointF(p.W(1), p.W(0))); break;
    case wmfExcludeClipRect: player.ExcludeClip(ReversedRect(p, 0)); break;
    case wmfIntersectClipRect: player.IntersectClip(ReversedRect(p, 0)); break;
    case wmfSelectClipRegion:
      if (const QPainterPath* region = RegionObject(player, p.U16(0))) {
        player.CombineClip(QRegion(player.Transform().map(*region).toFillPolygon().toPolygon()), 5);
      } else {
        player.ResetClip();
      }
      break;
    case wmfFillRegion:  // region, brush
      if (const QPainterPath* region = RegionObject(player, p.U16(0))) FillRegion(player, *region, p.U16(2));
      break;
    case wmfPaintRegion:
      if (const QPainterPath* region = RegionObject(player, p.U16(0))) FillRegion(player, *region, -1);
      break;
    case wmfInvertRegion:
      if (const QPainterPath* region = RegionObject(player, p.U16(0))) FillRegion(player, *region, -1, 6);
      break;
    case wmfFrameRegion:  // region, brush, height, width: an outline in the brush's colour
      if (const QPainterPath* region = RegionObject(player, p.U16(0))) {
        const TMetaDCState saved = player.S;
        player.SelectObject(p.U16(2));
        player.S.Pen = TMetaPen{0, double(std::max<int>(1, std::abs(p.W(3)))), player.S.Brush.Color};
        player.DrawPath(*region, false, true);
        player.S = saved;
      }
      break;
    case wmfOffsetClipRgn: break;
    case wmfSaveDC: player.SaveDC(); break;
    case wmfRestoreDC: player.RestoreDC(p.W(0)); break;
    case wmfArc: player.DrawArc(ReversedRect(p, 4), Pt2(p, 2), Pt2(p, 0), 0); break;
    case wmfChord: player.DrawArc(ReversedRect(p, 4), Pt2(p, 2), Pt2(p, 0), 1); break;
    case wmfPie: player.DrawArc(ReversedRect(p, 4), Pt2(p, 2), Pt2(p, 0), 2); break;
    case wmfEllipse: {
      QPainterPath path;
      path.addEllipse(ReversedRect(p, 0).normalized());
      player.DrawPath(path, true, true);
      break;
    }
    case wmfRectangle: {
      QPainterPath path;
      path.addRect(ReversedRect(p, 0).normalized());
      player.DrawPath(path, true, true);
      break;
    }
    case wmfRoundRect: {
      QPainterPath path;
      path.addRoundedRect(ReversedRect(p, 2).normalized(), std::abs(p.W(1)) / 2.0,
                          std::abs(p.W(0)) / 2.0);
      player.DrawPath(path, true, true);
      break;
    }
    case wmfPatBlt: player.PatBlt(QRectF(p.W(5), p.W(4), p.W(3), p.W(2)), WordRop(p)); break;
    case wmfSetPixel: player.SetPixel(QPointF(p.W(3), p.W(2)), WordColor(p, 0)); break;
    case wmfPolygon:
    case wmfPolyline: {
      const int count = p.W(0);
      if (count < 0) throw TMetaRecordOverrun();
      const std::vector<QPointF> pts = Points(p, 1, static_cast<std::size_t>(count));
      if (record.Type == wmfPolyline) player.DrawPolyline(pts);
      else player.DrawPolygons({pts});
      break;
    }
    case wmfPolyPolygon: {
      const int polys = p.W(0);
      if (polys < 0) throw TMetaRecordOverrun();
      std::vector<std::vector<QPointF>> all;
      std::size_t word = 1 + static_cast<std::size_t>(polys);
      p.Need(2, 2 * static_cast<std::size_t>(polys));
      for (int i = 0; i < polys; ++i) {
        const int n = p.W(1 + static_cast<std::size_t>(i));
        if (n < 0) throw TMetaRecordOverrun();
        all.push_back(Points(p, word, static_cast<std::size_t>(n)));
        word += 2 * static_cast<std::size_t>(n);
      }
      player.DrawPolygons(all);
      break;
    }
    case wmfTextOut: {  // count, string, y, x
      const int count = p.W(0);
      if (count < 0) throw TMetaRecordOverrun();
      const std::size_t padded = (static_cast<std::size_t>(count) + 1) & ~std::size_t{1};
      const TMetaParams str = p.Sub(2, static_cast<std::size_t>(count));
      const std::size_t after = (2 + padded) / 2;
      const QByteArray bytes(reinterpret_cast<const char*>(str.Data()), count);
      player.DrawText(QPointF(p.W(after + 1), p.W(after)), DecodeText(player, bytes), {}, 0, std::nullopt);
      break;
    }
    case wmfExtTextOut: {  // y, x, count, options, [rect], string, [dx]
      const QPointF ref(p.W(1), p.W(0));
      const int count = p.W(2);
      const int options = p.U16(6);
      if (count < 0) throw TMetaRecordOverrun();
      std::size_t offset = 8;
      std::optional<QRectF> rect;
      if (options & 6) {
        rect = QRectF(QPointF(p.W(4), p.W(5)), QPointF(p.W(6), p.W(7)));
        offset += 8;
      }
      const TMetaParams str = p.Sub(offset, static_cast<std::size_t>(count));
      const QByteArray bytes(reinterpret_cast<const char*>(str.Data()), count);
      offset += (static_cast<std::size_t>(count) + 1) & ~std::size_t{1};
      std::vector<double> dx;
      if (p.Has(offset, 2 * static_cast<std::size_t>(count)) && count > 0)
        for (int i = 0; i < count; ++i) dx.push_back(p.S16(offset + 2 * static_cast<std::size_t>(i)));
      player.DrawText(ref, DecodeText(player, bytes), dx, options, rect);
      break;
    }
    case wmfDIBBitBlt:
    case wmfDIBStretchBlt:
    case wmfStretchDIB: Blit(player, p, record.Type, words); break;
    case wmfCreatePenIndirect: {
      TMetaObject o;
      o.Kind = TMetaObject::okPen;
      o.Pen.Style = p.U16(0);
      o.Pen.Width = p.W(1);
      o.Pen.Color = WordColor(p, 3);
      player.AddObjectLowest(o);
      break;
    }
    case wmfCreateBrushIndirect: {
      TMetaObject o;
      o.Kind = TMetaObject::okBrush;
      o.Brush.Style = p.U16(0);
      o.Brush.Color = WordColor(p, 1);
      o.Brush.Hatch = p.U16(6);
      player.AddObjectLowest(o);
      break;
    }
    case wmfCreateFontIndirect: {
      TMetaObject o;
      o.Kind = TMetaObject::okFont;
      o.Font = ReadLogFont(p);
      player.AddObjectLowest(o);
      break;
    }
    case wmfDIBCreatePatternBrush: {  // style, usage, DIB
      TMetaObject o;
      o.Kind = TMetaObject::okBrush;
      o.Brush.Style = 5;
      const TMetaParams dib = p.Sub(4, p.Size() - 4);
      o.Brush.Pattern = MetaDIBToImage(dib.Data(), dib.Size(), nullptr, 0);
      o.Brush.Color = Qt::gray;
      player.AddObjectLowest(o);
      break;
    }
    case wmfCreatePatternBrush: {  // CREATEPATTERNBRUSH (device-dependent bitmap): a grey brush
      TMetaObject o;
      o.Kind = TMetaObject::okBrush;
      o.Brush.Color = Qt::gray;
      player.AddObjectLowest(o);
      break;
    }
    case wmfCreatePalette: {
      TMetaObject o;
      o.Kind = TMetaObject::okPalette;
      player.AddObjectLowest(o);
      break;
    }
    case wmfCreateRegion: {
      TMetaObject o;
      o.Kind = TMetaObject::okRegion;
      try {
        o.Region = ReadRegion(p);
      } catch (const TMetaRecordOverrun&) {
        o.Region = QPainterPath();  // a region that does not fit its record stays empty
      }
      player.AddObjectLowest(o);
      break;
    }
    case wmfSelectObject: player.SelectObject(p.U16(0)); break;
    case wmfDeleteObject: player.DeleteObject(p.U16(0)); break;
    default: break;  // records without a visible effect here are skipped
  }
}
