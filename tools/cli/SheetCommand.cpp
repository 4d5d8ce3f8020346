// lumivex-cli sheet: a contact sheet of pictures with the sheet creator's options.
#include <algorithm>
#include <ostream>

#include "imaging/formats/LoadSave.h"
#include "platform/Metafile.h"
#include "thumbs/SheetText.h"
#include "thumbs/core/SheetBuilder.h"
#include "tools/cli/Cli.h"

namespace {

// "R,G,B" with each part 0..255.
TRGB ParseColor(const std::string& name, const std::string& value) {
  int parts[3] = {};
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = value.find(',', at);
    const std::string part = value.substr(at, i < 2 ? comma - at : std::string::npos);
    if ((i < 2 && comma == std::string::npos) || part.empty())
      throw TUsageError{name + " expects R,G,B, not \"" + value + "\""};
    parts[i] = ParseIndex(name, part);
    if (parts[i] > 255) throw TUsageError{name + " expects values 0..255"};
    at = comma + 1;
  }
  return RGBColor(parts[0], parts[1], parts[2]);
}

// Takes the value-less switches out of the arguments.
std::vector<std::string> TakeSwitches(const std::vector<std::string>& args, TSheetOptions& o) {
  std::vector<std::string> rest;
  for (const std::string& a : args) {
    if (a == "--no-names") o.IncludeFileNames = false;
    else if (a == "--no-sharpen") o.AutoSharpen = false;
    else if (a == "--no-border") o.AddBorder = false;
    else if (a == "--no-shadow") o.DropShadow = false;
    else if (a == "--bevel") o.Bevel = true;
    else rest.push_back(a);
  }
  return rest;
}

void ApplyOption(const std::string& name, const std::string& value, TSheetOptions& o,
                 std::string& out) {
  if (name == "--out") out = value;
  else if (name == "--cols") o.Cols = ParseIndex(name, value);
  else if (name == "--size") o.Size = ParseIndex(name, value);
  else if (name == "--hspace") o.HSpace = ParseIndex(name, value);
  else if (name == "--vspace") o.VSpace = ParseIndex(name, value);
  else if (name == "--sharpen") o.SharpeningFactor = ParseIndex(name, value);
  else if (name == "--background") o.BackgroundColor = ParseColor(name, value);
  else if (name == "--text-color") o.TextColor = ParseColor(name, value);
  else if (name == "--border-color") o.BorderColor = ParseColor(name, value);
  else if (name == "--background-image") {
    o.UseBackgroundImage = true;
    o.BackgroundImage = value;
  } else if (name == "--title") {
    o.IncludeTitle = true;
    o.Title = value;
  } else if (name == "--title-font") o.TitleFont.Name = value;
  else if (name == "--title-size") o.TitleFont.Points = ParseIndex(name, value);
  else if (name == "--title-color") o.TitleFont.Color = ParseColor(name, value);
  else if (name == "--footer") {
    o.IncludeFooter = true;
    o.Footer = value;
  } else if (name == "--footer-font") o.FooterFont.Name = value;
  else if (name == "--footer-size") o.FooterFont.Points = ParseIndex(name, value);
  else if (name == "--footer-color") o.FooterFont.Color = ParseColor(name, value);
}

}  // namespace

int RunSheet(const std::vector<std::string>& args, TCliContext& context) {
  TSheetOptions options;
  const std::vector<std::string> rest = TakeSwitches(args, options);
  const TParsedArgs parsed = ParseArgs(
      rest, {"--out", "--cols", "--size", "--hspace", "--vspace", "--sharpen", "--background",
             "--text-color", "--border-color", "--background-image", "--title", "--title-font",
             "--title-size", "--title-color", "--footer", "--footer-font", "--footer-size",
             "--footer-color"});
  std::string out;
  for (const auto& [name, value] : parsed.Options) ApplyOption(name, value, options, out);
  if (out.empty()) throw TUsageError{"needs --out SHEET"};
  if (parsed.Positional.empty()) throw TUsageError{"expects at least one FILE"};
  try {
    CheckSheetOptions(options);
  } catch (const ESheetError& e) {
    throw TUsageError{e.what()};
  }

  EnsureMetafileGuiApplication();  // fonts need a GUI application; offscreen serves
  TQtSheetText text;
  TSheetResult result;
  try {
    result = BuildSheet(parsed.Positional, options, text);
  } catch (const ESheetError& e) {
    context.Err << "lumivex-cli: " << e.what() << "\n";
    return kExitFailure;
  }
  context.Out << result.Layout.SizeText() << "\n";
  if (!result.BackgroundError.empty()) context.Err << result.BackgroundError << "\n";
  for (const std::string& f : result.FailedFiles) context.Err << "Error loading file " << f << "\n";
  try {
    SaveToFile(*result.Sheet, out);
  } catch (const std::exception& e) {
    context.Err << "lumivex-cli: " << out << ": " << ForTerminal(e.what()) << "\n";
    return kExitFailure;
  }
  return result.FailedFiles.empty() && result.BackgroundError.empty() ? kExitOK : kExitFailure;
}
