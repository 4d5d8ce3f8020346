// The help: HTML pages in the "help" folder beside the program, opened in the browser, and
// TfHelpSearch, the window that finds the pages holding the words the user types.
#pragma once

#include <QDialog>
#include <QList>
#include <QUrl>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The folder of the help pages ("help" beside the program).
QString HelpFolder();
// A page of the help folder as a file URL.
QUrl HelpPage(const QString& name);
// Opens a help page, web page or mail address with the desktop's own program; says so in a
// message when the desktop has none for it.
bool OpenOnDesktop(QWidget* parent, const QUrl& url);

struct THelpTopic {
  QString Title;
  QString File;  // full path of the page
};

// The pages (*.html, in name order) whose text, without its markup, holds every word of
// `words` without regard to case. No words: every page.
QList<THelpTopic> SearchHelpPages(const QString& folder, const QString& words);

class TfHelpSearch : public QDialog {
 public:
  explicit TfHelpSearch(QWidget* parent = nullptr);
  // Shows the window with an empty search (every topic listed) and the field focused.
  void Start();
  void SetFolder(const QString& folder) { FFolder = folder; }
  QLineEdit* Words() const { return FWords; }
  QListWidget* Topics() const { return FTopics; }
  // Opens the chosen topic in the browser.
  void Display();

 private:
  void Search();

  QString FFolder;
  QLineEdit* FWords;
  QListWidget* FTopics;
};
