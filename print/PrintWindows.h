// The print windows as a caller uses them: preview, page setup, print and printer setup.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class TPreviewPrinter;

// The preview window for the engine's pages, modal; destroyed when closed. With `rerecord`
// the window offers page setup and records the document again after it.
int PreviewDocument(TPreviewPrinter& engine, QWidget* parent, std::function<void()> rerecord = {});

// The page setup dialog bound to the engine, modal; QDialog::Accepted when OK changed it.
int PageSetupDialog(TPreviewPrinter& engine, QWidget* parent);

// The print dialog offering pages 1..PageCount, then the chosen pages in the chosen number of
// copies. False when cancelled or nothing could be printed (the error box says why).
bool PrintDialog(TPreviewPrinter& engine, QWidget* parent);

// The folder listing report: records the entries (file names of the folder, in list order)
// through the engine, which ConfigureListingEngine set up, and opens the preview.
void PrintDirectoryListing(TPreviewPrinter& engine, const QString& folder,
                           const QStringList& entries, QWidget* parent);
