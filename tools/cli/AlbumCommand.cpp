#include <QString>
#include <ostream>

#include "albums/AlbumPrint.h"
#include "albums/core/AlbumFile.h"
#include "platform/Metafile.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"
#include "tools/cli/Cli.h"
#include "tools/cli/PaperOptions.h"

namespace {

int PrintAlbum(const std::string& albumPath, const TParsedArgs& parsed, TCliContext& context) {
  std::string pdf, paper = "letter", orientation;
  int dpi = 600;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--pdf") pdf = value;
    if (name == "--paper") paper = value;
    if (name == "--dpi") dpi = ParseIndex(name, value);
    if (name == "--orientation") orientation = value;
  }
  if (!orientation.empty() && orientation != "portrait" && orientation != "landscape")
    throw TUsageError{"--orientation expects portrait or landscape"};
  if (pdf.empty()) throw TUsageError{"needs --pdf OUT.pdf"};
  double width = 0, height = 0;
  if (!PaperSize(paper, width, height)) throw TUsageError{"unknown paper \"" + paper + "\""};
  if (dpi < 72 || dpi > 2400) throw TUsageError{"--dpi expects 72 to 2400"};

  TAlbum album;
  try {
    album = ReadAlbumFile(albumPath);
  } catch (const EAlbumError& e) {
    context.Err << "lumivex-cli: " << e.what() << "\n";
    return kExitFailure;
  }
  EnsureMetafileGuiApplication();  // fonts need a GUI application; offscreen serves
  TPreviewPrinter engine;
  ConfigureAlbumEngine(engine);
  if (!orientation.empty())
    engine.Orientation =
        orientation == "landscape" ? TOrientation::poLandscape : TOrientation::poPortrait;
  engine.SetReferenceMetrics(PaperMetrics(width, height, dpi, engine.Orientation));
  int failed = 0;
  TAlbumPrintHooks hooks;
  hooks.OnLoadError = [&](const QString& path, const QString& reason) {
    ++failed;
    context.Err << "lumivex-cli: " << CantLoadMessage(path).toStdString() << " ("
                << ForTerminal(reason.toStdString()) << ")\n";
  };
  // Page by page: each page is written as soon as it is recorded, so memory holds one page.
  QString error;
  TPdfPageWriter writer;
  bool written = writer.Begin(QString::fromStdString(pdf), engine.Title, 1200, &error);
  for (int page = 0; written && page < AlbumPages(album); ++page) {
    RecordAlbumPages(engine, album, page, 1, hooks);
    for (int i = 0; i < engine.PageCount(); ++i) writer.AddPage(engine.Page(i));
    engine.ClearPages();
  }
  if (!written || !writer.Finish(&error)) {
    context.Err << "lumivex-cli: " << error.toStdString() << "\n";
    return kExitFailure;
  }
  context.Out << album.Entries.size() << " pictures";
  if (failed > 0) context.Out << " (" << failed << " not loaded)";
  context.Out << ", " << AlbumPages(album) << " pages: " << pdf << "\n";
  return kExitOK;
}

}  // namespace

int RunAlbum(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed = ParseArgs(args, {"--pdf", "--paper", "--dpi", "--orientation"});
  if (parsed.Positional.empty()) throw TUsageError{"expects an action: print"};
  if (parsed.Positional[0] != "print")
    throw TUsageError{"unknown action \"" + parsed.Positional[0] + "\""};
  if (parsed.Positional.size() != 2) throw TUsageError{"expects exactly one ALBUM.alb"};
  return PrintAlbum(parsed.Positional[1], parsed, context);
}
