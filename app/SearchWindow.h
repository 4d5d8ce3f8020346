// TfSearch: the file search window. Finds files by name pattern on the selected volume or on
// every volume, on a worker so that the window stays responsive; Stop or Esc ends a search,
// and a double-click on a result shows it in the main window.
#pragma once

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class TBackgroundJob;
class TToolHost;

class TfSearch : public QWidget {
 public:
  explicit TfSearch(TToolHost& host);
  ~TfSearch() override;

  void Find();
  void Stop();
  bool Running() const { return FRunning; }
  // Most results one search takes.
  void SetCapacity(std::size_t capacity) { FCapacity = capacity; }

  QLineEdit* SearchFor() const { return FSearchFor; }
  QRadioButton* AllDrives() const { return FAll; }
  QRadioButton* SelectedDrive() const { return FSelected; }
  QComboBox* Drives() const { return FDrives; }
  QPushButton* FindButton() const { return FFind; }
  QPushButton* StopButton() const { return FStop; }
  QListWidget* Results() const { return FResults; }
  QString StatusText() const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Finished(bool full);
  void OpenResult(QListWidgetItem* item);

  TToolHost& FHost;
  std::unique_ptr<TBackgroundJob> FJob;
  int FOrder = 0;
  bool FRunning = false;
  std::size_t FCapacity = 1000000;
  QLineEdit* FSearchFor;
  QRadioButton* FAll;
  QRadioButton* FSelected;
  QComboBox* FDrives;
  QPushButton* FFind;
  QPushButton* FStop;
  QListWidget* FResults;
  QLabel* FStatus;
};
