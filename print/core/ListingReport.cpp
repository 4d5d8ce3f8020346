#include "print/core/ListingReport.h"

#include <filesystem>
#include <system_error>

std::int64_t SizeInK(std::int64_t bytes) { return bytes / 1024 + 1; }

std::string ListingLine(const std::string& name, std::int64_t bytes) {
  return name + "  (" + std::to_string(SizeInK(bytes)) + "K)";
}

std::string ListingBase(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + "/";
}

std::int64_t FileSizeOf(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return -1;
  return static_cast<std::int64_t>(size);
}

std::vector<std::string> ListingLines(const std::string& folder,
                                      const std::vector<std::string>& entries,
                                      const TFileSizeFunction& sizeOf) {
  const std::string base = ListingBase(folder);
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const std::string& entry : entries)
    lines.push_back(ListingLine(entry, sizeOf(base + entry)));
  return lines;
}

TListingEngineSetup ListingEngineSetup() {
  TListingEngineSetup s;
  TTextOptions& t = s.Text;
  t.MarginLeft = t.MarginTop = t.MarginRight = t.MarginBottom = 1.0;
  t.HeaderMargin = 0.5;
  t.FooterMargin = 0.75;
  t.BodyFont = MakeFont("Arial", PointsFromDesignPixels(13));
  t.HeaderFont = MakeFont("Times New Roman", PointsFromDesignPixels(24), true);
  t.HeaderAlign = TAlignment::taCenter;
  t.Footer = "Lumivex Directory Report";
  t.FooterFont = MakeFont("Times New Roman", PointsFromDesignPixels(13), false, true);
  t.FooterAlign = TAlignment::taLeftJustify;
  t.PrintPageNumber = TPageNumberPosition::pnBottom;
  t.PageNumFont = MakeFont("Times New Roman", PointsFromDesignPixels(13), false, true);
  t.PageNumAlign = TAlignment::taRightJustify;
  t.PageNumText = "Page %d";
  t.DrawStyle = TDrawStyle::dsStandard;
  return s;
}

void ApplyListingRunOptions(TTextOptions& options, const std::string& folder) {
  options.Header = folder;
  options.FooterAlign = TAlignment::taLeftJustify;
  options.FooterFont.Bold = false;
  options.FooterFont.Underline = false;
  options.FooterFont.StrikeOut = false;
  options.FooterFont.Italic = true;
  options.PrintPageNumber = TPageNumberPosition::pnBottom;
}
