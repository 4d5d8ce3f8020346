#include <QString>
#include <QStringList>
#include <filesystem>
#include <ostream>

#include "platform/Metafile.h"
#include "print/DirectoryListing.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"
#include "print/core/FolderFiles.h"
#include "tools/cli/Cli.h"
#include "tools/cli/PaperOptions.h"

int RunListing(const std::vector<std::string>& args, TCliContext& context) {
  const TParsedArgs parsed =
      ParseArgs(args, {"--pdf", "--mask", "--paper", "--dpi", "--orientation"});
  std::string pdf, mask = "*", paper = "letter", orientation;
  int dpi = 600;
  for (const auto& [name, value] : parsed.Options) {
    if (name == "--pdf") pdf = value;
    if (name == "--mask") mask = value;
    if (name == "--paper") paper = value;
    if (name == "--dpi") dpi = ParseIndex(name, value);
    if (name == "--orientation") orientation = value;
  }
  if (!orientation.empty() && orientation != "portrait" && orientation != "landscape")
    throw TUsageError{"--orientation expects portrait or landscape"};
  if (parsed.Positional.size() != 1) throw TUsageError{"expects exactly one FOLDER"};
  if (pdf.empty()) throw TUsageError{"needs --pdf OUT.pdf"};
  double width = 0, height = 0;
  if (!PaperSize(paper, width, height)) throw TUsageError{"unknown paper \"" + paper + "\""};
  if (dpi < 72 || dpi > 2400) throw TUsageError{"--dpi expects 72 to 2400"};

  std::string folder = parsed.Positional[0];
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::vector<std::string> names;
  try {
    names = ListFolderFiles(folder, mask);
  } catch (const std::filesystem::filesystem_error& e) {
    context.Err << "lumivex-cli: " << folder << ": cannot read the folder (" << e.code().message()
                << ")\n";
    return kExitFailure;
  }
  if (names.empty()) {
    context.Err << "lumivex-cli: " << folder << ": no file matches \"" << mask
                << "\"; nothing to print\n";
    return kExitFailure;
  }

  EnsureMetafileGuiApplication();  // fonts need a GUI application; offscreen serves
  TPreviewPrinter engine;
  ConfigureListingEngine(engine);
  if (!orientation.empty())
    engine.Orientation =
        orientation == "landscape" ? TOrientation::poLandscape : TOrientation::poPortrait;
  engine.SetReferenceMetrics(PaperMetrics(width, height, dpi, engine.Orientation));
  QStringList entries;
  for (const std::string& n : names) entries << QString::fromStdString(n);
  RecordDirectoryListing(engine, QString::fromStdString(folder), entries);
  QString error;
  if (!SavePagesAsPdf(engine, QString::fromStdString(pdf), &error)) {
    context.Err << "lumivex-cli: " << error.toStdString() << "\n";
    return kExitFailure;
  }
  context.Out << names.size() << " files, " << engine.PageCount() << " pages: " << pdf << "\n";
  return kExitOK;
}
