// lumivex-cli edit: the image editor's geometric and colour-resolution commands, in the order
// given, over the editor's own command code.
#include <charconv>
#include <exception>
#include <memory>
#include <new>
#include <ostream>

#include "editor/core/EditDialogValues.h"
#include "editor/core/PictureEditor.h"
#include "imaging/formats/LoadSave.h"
#include "tools/cli/Cli.h"

namespace {

// The picture as the editor's document.
class TFileDocument : public TEditTarget {
 public:
  TPixelGraphic* Picture() override { return FPicture.get(); }
  void Take(std::unique_ptr<TPixelGraphic> picture) override { FPicture = std::move(picture); }
  std::unique_ptr<TPixelGraphic> FPicture = std::make_unique<TPixelGraphic>();
};

// Comma-separated integers, exactly `count` of them (`optional` more may follow as text).
std::vector<long long> Numbers(const std::string& option, const std::string& value,
                               std::size_t count, std::vector<std::string>* rest = nullptr) {
  std::vector<long long> numbers;
  std::size_t at = 0;
  while (at <= value.size()) {
    const std::size_t comma = std::min(value.find(',', at), value.size());
    const std::string part = value.substr(at, comma - at);
    if (numbers.size() < count) {
      long long n = 0;
      const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), n);
      if (part.empty() || error != std::errc{} || end != part.data() + part.size() ||
          n < -1000000000LL || n > 1000000000LL)
        throw TUsageError{option + " expects " + std::to_string(count) +
                          " whole numbers separated by commas, not \"" + value + "\""};
      numbers.push_back(n);
    } else if (rest) {
      rest->push_back(part);
    } else {
      throw TUsageError{option + " takes " + std::to_string(count) + " numbers, not \"" + value + "\""};
    }
    at = comma + 1;
  }
  if (numbers.size() < count)
    throw TUsageError{option + " expects " + std::to_string(count) + " numbers, not \"" + value + "\""};
  return numbers;
}

TColorRezChoice ParseColors(const std::string& value) {
  TColorRezValues v;
  static const std::pair<const char*, TColorRezPalette> fixed[] = {
      {"bw", TColorRezPalette::BlackWhite},     {"gray4", TColorRezPalette::Gray4},
      {"sysgray4", TColorRezPalette::SysGray4}, {"gray16", TColorRezPalette::Gray16},
      {"sys16", TColorRezPalette::System16},    {"gray236", TColorRezPalette::Gray236},
      {"gray256", TColorRezPalette::Gray256},   {"special125", TColorRezPalette::Special125},
      {"special216", TColorRezPalette::Special216}, {"special252", TColorRezPalette::Special252}};
  for (const auto& [name, palette] : fixed)
    if (value == name) {
      v.ChoosePalette(palette);
      return v.Choice();
    }
  if (value == "24") {
    v.SetDepth(TColorDepth::Bits24);
    return v.Choice();
  }
  // "optimized:N" (N colours: 2 gives 1 bit, up to 16 gives 4 bits, up to 256 gives 8 bits).
  const std::string prefix = "optimized:";
  int n = 0;
  if (value.rfind(prefix, 0) == 0 && ParseCount(value.substr(prefix.size()), 2, 256, n)) {
    if (n == 2) {
      v.ChoosePalette(TColorRezPalette::Optimized1);
    } else if (n <= 16) {
      v.SetCount4Text(std::to_string(n));
    } else {
      v.SetIncludeSystemColors(false);
      v.SetCount8Text(std::to_string(n));
    }
    return v.Choice();
  }
  throw TUsageError{"--colors expects 24, bw, gray4, sysgray4, gray16, sys16, gray236, "
                    "gray256, special125, special216, special252 or optimized:N, not \"" +
                    value + "\""};
}

// Runs one option's command on the document; false when it could not run.
bool RunOption(TPictureEditor& editor, const std::string& name, const std::string& value,
               TCliContext& context) {
  if (name == "--crop") {
    const auto n = Numbers(name, value, 4);
    const TEditRect r{static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
                      static_cast<int>(n[3])};
    if (editor.Crop(true, r) == TCropOutcome::Outside) {
      context.Err << "lumivex-cli: --crop " << value << " lies outside the picture\n";
      return false;
    }
  } else if (name == "--rotate") {
    const auto n = Numbers(name, value, 1);
    editor.Rotate(static_cast<double>(((n[0] % 360) + 360) % 360));
  } else if (name == "--flip") {
    if (value != "h" && value != "v") throw TUsageError{"--flip expects h or v"};
    (value == "h" ? editor.FlipHorizontal() : editor.FlipVertical());
  } else if (name == "--border") {
    std::vector<std::string> rest;
    const auto n = Numbers(name, value, 4, &rest);
    const bool ellipse = rest.size() == 1 && rest[0] == "ellipse";
    if ((!rest.empty() && !ellipse) || n[0] < 0 || n[1] < 0 || n[1] > 255 || n[2] < 0 ||
        n[2] > 255 || n[3] < 0 || n[3] > 255)
      throw TUsageError{"--border expects WIDTH,R,G,B[,ellipse] with colours 0..255"};
    editor.Border(ellipse, static_cast<int>(n[0]),
                  RGBColor(static_cast<int>(n[1]), static_cast<int>(n[2]), static_cast<int>(n[3])));
  } else if (name == "--resize") {
    const auto x = value.find('x');
    const auto w = ParseDigits(value.substr(0, x), kMaxPictureSide);
    const auto h = x == std::string::npos ? std::optional<std::int64_t>{} : ParseDigits(value.substr(x + 1), kMaxPictureSide);
    if (!w || !h || !ValidPictureSize(*w, *h))
      throw TUsageError{"--resize expects WIDTHxHEIGHT of a picture that can be made, not \"" + value + "\""};
    editor.Resize(static_cast<int>(*w), static_cast<int>(*h));
  } else if (name == "--colors") {
    if (editor.ColorResolution(ParseColors(value)) == TEditOutcome::Aborted) {
      context.Err << "lumivex-cli: --colors " << value << " failed\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int RunEditCommand(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed =
      ParseArgs(args, {"--crop", "--rotate", "--flip", "--border", "--resize", "--colors"});
  if (parsed.Positional.size() != 2) throw TUsageError{"expects INPUT and OUTPUT"};
  if (parsed.Options.empty()) throw TUsageError{"names no command"};
  // Every option is checked before anything is read: on an empty document the commands only
  // parse their values.
  TFileDocument empty;
  empty.FPicture.reset();
  TPictureEditor check(empty);
  for (const auto& [name, value] : parsed.Options) RunOption(check, name, value, context);
  TFileDocument document;
  TPictureEditor editor(document);
  SetPGWarningBoxHook([&context](const std::string& caption, const std::string& text, bool) {
    context.Err << "lumivex-cli: " << caption << ": " << ForTerminal(text) << "\n";
    return true;
  });
  try {
    LoadFromFile(*document.Picture(), parsed.Positional[0]);
    if (document.Picture()->Empty()) {
      context.Err << "lumivex-cli: " << parsed.Positional[0] << ": no picture could be read\n";
      return kExitFailure;
    }
    for (const auto& [name, value] : parsed.Options)
      if (!RunOption(editor, name, value, context)) return kExitFailure;
    document.Picture()->SaveColorResWarningAction = pgwaOKBox;
    SaveToFile(*document.Picture(), parsed.Positional[1]);
  } catch (const std::bad_alloc&) {
    context.Err << "lumivex-cli: out of memory\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    context.Err << "lumivex-cli: " << ForTerminal(e.what()) << "\n";
    return kExitFailure;
  }
  return kExitOK;
}
