#include "print/DirectoryListing.h"

#include "print/PageSetupDefaults.h"
#include "print/PreviewPrinter.h"
#include "print/core/ListingReport.h"

void ConfigureListingEngine(TPreviewPrinter& engine) {
  const TListingEngineSetup setup = ListingEngineSetup();
  engine.Orientation = setup.Orientation;
  engine.Units = setup.Units;
  engine.TextOptions = setup.Text;
  engine.ShowGrid = setup.ShowGrid;
  engine.ZoomOption = TZoomOption::zoFitToPage;
  engine.ZoomVal = 100;
  engine.Title = QStringLiteral("Lumivex Directory Report");
  LoadPageSetupDefaults(engine);
}

void RecordDirectoryListing(TPreviewPrinter& engine, const QString& folder,
                            const QStringList& entries) {
  ApplyListingRunOptions(engine.TextOptions, folder.toStdString());
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(entries.size()));
  for (const QString& e : entries) names.push_back(e.toStdString());
  QStringList lines;
  lines.reserve(entries.size());
  for (const std::string& line : ListingLines(folder.toStdString(), names))
    lines << QString::fromStdString(line);
  engine.PrintStrings(lines);
}
