// Record types of the Windows metafile formats: enhanced metafile records (32-bit type) and
// Windows metafile functions (16-bit function number), named as the formats name them.
#pragma once

#include <cstdint>

enum TEmfRecord : std::uint32_t {
  emrHeader = 1, emrPolyBezier = 2, emrPolygon = 3, emrPolyline = 4, emrPolyBezierTo = 5,
  emrPolyLineTo = 6, emrPolyPolyline = 7, emrPolyPolygon = 8, emrSetWindowExtEx = 9,
  emrSetWindowOrgEx = 10, emrSetViewportExtEx = 11, emrSetViewportOrgEx = 12,
  emrSetBrushOrgEx = 13, emrEof = 14, emrSetPixelV = 15, emrSetMapperFlags = 16,
  emrSetMapMode = 17, emrSetBkMode = 18, emrSetPolyFillMode = 19, emrSetRop2 = 20,
  emrSetStretchBltMode = 21, emrSetTextAlign = 22, emrSetColorAdjustment = 23,
  emrSetTextColor = 24, emrSetBkColor = 25, emrOffsetClipRgn = 26, emrMoveToEx = 27,
  emrSetMetaRgn = 28, emrExcludeClipRect = 29, emrIntersectClipRect = 30,
  emrScaleViewportExtEx = 31, emrScaleWindowExtEx = 32, emrSaveDC = 33, emrRestoreDC = 34,
  emrSetWorldTransform = 35, emrModifyWorldTransform = 36, emrSelectObject = 37,
  emrCreatePen = 38, emrCreateBrushIndirect = 39, emrDeleteObject = 40, emrAngleArc = 41,
  emrEllipse = 42, emrRectangle = 43, emrRoundRect = 44, emrArc = 45, emrChord = 46,
  emrPie = 47, emrSelectPalette = 48, emrCreatePalette = 49, emrSetPaletteEntries = 50,
  emrResizePalette = 51, emrRealizePalette = 52, emrExtFloodFill = 53, emrLineTo = 54,
  emrArcTo = 55, emrPolyDraw = 56, emrSetArcDirection = 57, emrSetMiterLimit = 58,
  emrBeginPath = 59, emrEndPath = 60, emrCloseFigure = 61, emrFillPath = 62,
  emrStrokeAndFillPath = 63, emrStrokePath = 64, emrFlattenPath = 65, emrWidenPath = 66,
  emrSelectClipPath = 67, emrAbortPath = 68, emrGdiComment = 70, emrFillRgn = 71,
  emrFrameRgn = 72, emrInvertRgn = 73, emrPaintRgn = 74, emrExtSelectClipRgn = 75,
  emrBitBlt = 76, emrStretchBlt = 77, emrMaskBlt = 78, emrPlgBlt = 79,
  emrSetDIBitsToDevice = 80, emrStretchDIBits = 81, emrExtCreateFontIndirectW = 82,
  emrExtTextOutA = 83, emrExtTextOutW = 84, emrPolyBezier16 = 85, emrPolygon16 = 86,
  emrPolyline16 = 87, emrPolyBezierTo16 = 88, emrPolyLineTo16 = 89, emrPolyPolyline16 = 90,
  emrPolyPolygon16 = 91, emrPolyDraw16 = 92, emrCreateMonoBrush = 93,
  emrCreateDIBPatternBrushPt = 94, emrExtCreatePen = 95, emrSmallTextOut = 108,
  emrAlphaBlend = 114, emrTransparentBlt = 116, emrGradientFill = 118,
};

enum TWmfRecord : std::uint16_t {
  wmfEof = 0x0000, wmfSaveDC = 0x001E, wmfCreatePalette = 0x00F7, wmfSetBkMode = 0x0102,
  wmfSetMapMode = 0x0103, wmfSetRop2 = 0x0104, wmfSetPolyFillMode = 0x0106,
  wmfRestoreDC = 0x0127, wmfInvertRegion = 0x012A, wmfPaintRegion = 0x012B,
  wmfSelectClipRegion = 0x012C, wmfSelectObject = 0x012D, wmfSetTextAlign = 0x012E,
  wmfDIBCreatePatternBrush = 0x0142, wmfDeleteObject = 0x01F0, wmfCreatePatternBrush = 0x01F9,
  wmfSetBkColor = 0x0201, wmfSetTextColor = 0x0209, wmfSetWindowOrg = 0x020B,
  wmfSetWindowExt = 0x020C, wmfOffsetWindowOrg = 0x020F, wmfLineTo = 0x0213,
  wmfMoveTo = 0x0214, wmfOffsetClipRgn = 0x0220, wmfFillRegion = 0x0228,
  wmfCreatePenIndirect = 0x02FA, wmfCreateFontIndirect = 0x02FB,
  wmfCreateBrushIndirect = 0x02FC, wmfPolygon = 0x0324, wmfPolyline = 0x0325,
  wmfScaleWindowExt = 0x0410, wmfExcludeClipRect = 0x0415, wmfIntersectClipRect = 0x0416,
  wmfEllipse = 0x0418, wmfRectangle = 0x041B, wmfSetPixel = 0x041F, wmfFrameRegion = 0x0429,
  wmfTextOut = 0x0521, wmfPolyPolygon = 0x0538, wmfRoundRect = 0x061C, wmfPatBlt = 0x061D,
  wmfCreateRegion = 0x06FF, wmfArc = 0x0817, wmfPie = 0x081A, wmfChord = 0x0830,
  wmfDIBBitBlt = 0x0940, wmfExtTextOut = 0x0A32, wmfDIBStretchBlt = 0x0B41,
  wmfStretchDIB = 0x0F43,
};

// The metafile type in a Windows metafile header: 1 (in memory) and 2 (on disk) as written
// by the system, 0 as some older writers leave it. The records are the same in all three.
constexpr bool IsWindowsMetafileType(int type) { return type >= 0 && type <= 2; }
