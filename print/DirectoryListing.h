// The folder listing report: the files a folder lists, one line each with its size in K,
// recorded through the report's own engine.
#pragma once

#include <QString>
#include <QStringList>

class TPreviewPrinter;

// Gives a new engine the report's settings, then the user's saved page-setup defaults.
void ConfigureListingEngine(TPreviewPrinter& engine);

// Records the listing of the entries (file names in list order) of the folder: the folder as
// header, "Lumivex Directory Report" footer on the left, page numbers at the bottom.
void RecordDirectoryListing(TPreviewPrinter& engine, const QString& folder,
                            const QStringList& entries);
