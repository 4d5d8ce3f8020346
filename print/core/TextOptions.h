// The engine's text options: margins, fonts, header, footer and page numbers.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/PGTypes.h"

enum class TDrawStyle { dsStandard, dsOwnerDrawFixed, dsOwnerDrawVariable };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TPageNumberPosition { pnBottom, pnTop, pnNone };

// A font by face name and point size; the device it is drawn on turns points into pixels.
struct TFontSpec {
  std::string Name = "Arial";
  double Size = 10.0;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TRGB Color = 0;  // 0x00BBGGRR

  bool operator==(const TFontSpec&) const = default;
};

// Font heights given in pixels are design heights on a 96 dpi screen: 13 pixels are
// 9.75 points, so the printed text has the size it has on the screen.
double PointsFromDesignPixels(int pixels);
TFontSpec MakeFont(const std::string& name, double points, bool bold = false, bool italic = false);

struct TTextOptions {
  TDrawStyle DrawStyle = TDrawStyle::dsStandard;
  double MarginLeft = 1.0;  // in the engine's units
  double MarginTop = 1.0;
  double MarginRight = 1.0;
  double MarginBottom = 1.0;
  TFontSpec BodyFont = MakeFont("Arial", 10);
  TFontSpec HeaderFont = MakeFont("Times New Roman", 18, true);
  TFontSpec FooterFont = MakeFont("Times New Roman", 10, false, true);
  TFontSpec PageNumFont = MakeFont("Times New Roman", 10, false, true);
  std::string Header;
  std::string Footer;
  double HeaderMargin = 0.5;   // header top from the top paper edge
  double FooterMargin = 0.75;  // footer top from the bottom paper edge
  TAlignment HeaderAlign = TAlignment::taCenter;
  TAlignment FooterAlign = TAlignment::taCenter;
  TPageNumberPosition PrintPageNumber = TPageNumberPosition::pnBottom;
  TAlignment PageNumAlign = TAlignment::taRightJustify;
  std::string PageNumText = "Page %d";

  bool operator==(const TTextOptions&) const = default;
};

// The page-number text with each "%d" replaced by the number and "%%" by "%". Any other "%"
// stays as it is: the text is the user's, never a format string handed to printf.
std::string FormatPageNumber(const std::string& text, long long number);
