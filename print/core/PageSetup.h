// The page setup's values: orientation, units, margins, header, footer and page numbers, read
// from and written to an engine's settings, and checked as a whole before any is applied.
#pragma once

#include <optional>
#include <string>

#include "print/core/PageMetrics.h"
#include "print/core/PrintUnits.h"
#include "print/core/TextOptions.h"

struct TPageSetupValues {
  TUnits Units = TUnits::unInches;
  TOrientation Orientation = TOrientation::poPortrait;
  double MarginLeft = 1.0, MarginRight = 1.0, MarginTop = 1.0, MarginBottom = 1.0;
  std::string Header;
  double HeaderMargin = 0.5;
  TAlignment HeaderAlign = TAlignment::taCenter;
  TFontSpec HeaderFont;
  std::string Footer;
  double FooterMargin = 0.75;
  TAlignment FooterAlign = TAlignment::taCenter;
  TFontSpec FooterFont;
  std::string PageNumText = "Page %d";
  TPageNumberPosition PrintPageNumber = TPageNumberPosition::pnBottom;
  TAlignment PageNumAlign = TAlignment::taRightJustify;
  TFontSpec PageNumFont;

  bool operator==(const TPageSetupValues&) const = default;
};

// The engine settings a page setup edits.
struct TPageSettings {
  TUnits Units = TUnits::unInches;
  TOrientation Orientation = TOrientation::poPortrait;
  TTextOptions Text;
};

TPageSetupValues PageSetupFrom(const TPageSettings& settings);
// Writes every value into the settings (the body font and draw style stay).
void ApplyPageSetup(const TPageSetupValues& values, TPageSettings& settings);

// The paper in inches, upright: width and height of the portrait page.
struct TPaperInches {
  double Width = 8.5;
  double Height = 11.0;
};
TPaperInches PaperOf(const TPageMetrics& metrics, TOrientation recordedOrientation);

// What is wrong with one field: its caption and a message for the user.
struct TPageSetupError {
  std::string Field;
  std::string Message;
};

// Checks margins against the paper in the values' own orientation and units: no value
// negative or beyond the paper, and the margins leave room for text.
std::optional<TPageSetupError> CheckPageSetup(const TPageSetupValues& values,
                                              const TPaperInches& paper);

// Numbers as the dialog shows them: three decimals with thousands separators.
std::string FormatMarginText(double value, char decimalPoint = '.', char groupSeparator = ',');
// The number in a margin text (blanks around it and group separators allowed); nothing when
// the text is not a finite number.
std::optional<double> ParseMarginText(const std::string& text, char decimalPoint = '.',
                                      char groupSeparator = ',');

// The dialog's six number fields as typed.
struct TMarginTexts {
  std::string Left, Right, Top, Bottom, HeaderMargin, FooterMargin;
};

// Parses the typed numbers into `values` and checks the whole; on any error `values` is left
// as it was and the first bad field is named.
std::optional<TPageSetupError> ReadMarginTexts(const TMarginTexts& texts, TPageSetupValues& values,
                                               const TPaperInches& paper, char decimalPoint = '.',
                                               char groupSeparator = ',');
