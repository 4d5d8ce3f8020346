#include <exception>
#include <new>
#include <ostream>

#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "tools/cli/Cli.h"
#include "tools/cli/GIFOutput.h"

int RunConvert(const std::vector<std::string>& args, TCliContext& context) {
  // --interlaced is a flag; the other options take values.
  std::vector<std::string> rest;
  TGIFOutputOptions gif;
  for (const std::string& a : args) {
    if (a == "--interlaced") gif.Interlaced = true;
    else rest.push_back(a);
  }
  const TParsedArgs parsed = ParseArgs(rest, {"--index", "--set", "--warn", "--transparent"});
  int index = 0;
  TPGWarningAction action = pgwaOKBox;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--index") {
      index = ParseIndex(name, value);
    } else if (name == "--transparent") {
      gif.Transparent = true;
      gif.TransparentColor = ParseTransparentColor(value);
    } else if (name == "--set") {
      ApplySetOption(value);
    } else if (value == "ignore") {
      action = pgwaIgnore;
    } else if (value == "ok") {
      action = pgwaOKBox;
    } else if (value == "raise") {
      action = pgwaRaise;
    } else {
      throw TUsageError{"--warn expects ignore, ok or raise, not \"" + value + "\""};
    }
  }
  if (parsed.Positional.size() != 2) throw TUsageError{"expects INPUT and OUTPUT"};
  const std::string& input = parsed.Positional[0];
  const std::string& output = parsed.Positional[1];

  // This command's loads and saves tell their warnings on the error output.
  TPGFormatContext formats = CaptureFormatContext();
  formats.WarningBox = [&context](const std::string& caption, const std::string& text, bool) {
    context.Err << "lumivex-cli: " << caption << ": " << ForTerminal(text) << "\n";
    return true;
  };
  try {
    TPixelGraphic image;
    // Damaged or truncated data: the reader's warning follows the same answer.
    image.ReadWarningAction = action;
    LoadFromFileIndex(image, input, index, formats);
    // Some readers stop without an error on data they cannot use (metafiles the player
    // cannot load): there is nothing to save then.
    if (image.Empty()) {
      context.Err << "lumivex-cli: " << input << ": no picture could be read\n";
      return kExitFailure;
    }
    image.SaveColorResWarningAction = action;
    if (!IsGIFOutput(output)) {
      SaveToFile(image, output, formats);
    } else if (!SaveAsGIF(image, output, gif)) {
      const TRGB c = gif.TransparentColor;
      context.Err << "lumivex-cli: the colour " << RedOf(c) << ',' << GreenOf(c) << ','
                  << BlueOf(c) << " does not occur in " << input
                  << ": the GIF has no transparent colour\n";
    }
  } catch (const std::bad_alloc&) {
    context.Err << "lumivex-cli: out of memory\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    context.Err << "lumivex-cli: " << ForTerminal(e.what()) << "\n";
    return kExitFailure;
  }
  return kExitOK;
}
