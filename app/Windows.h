// TWindows: every window of the program, created once each, hidden, in a fixed order that
// begins with the main window, and destroyed in the reverse order when the program ends.
// Windows are shown and hidden on demand; none is created later.
//
// Adding a window is one line in TWindows::CreateAll. A tool window's constructor takes the
// main window's TToolHost& (controls/ToolHost.h), its only way to reach the main window; any
// other window is constructed without arguments. The main window reaches a window through
// Get<T>().
#pragma once

#include <QWidget>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <vector>

class TForm1;
class TToolHost;

class TWindows {
 public:
  TWindows();
  ~TWindows();
  TWindows(const TWindows&) = delete;
  TWindows& operator=(const TWindows&) = delete;

  TForm1& Main() const { return *FMain; }
  // The main window as tool windows see it.
  TToolHost& Host() const;

  // The window of type T; a type that was not created is a programming error.
  template <class T>
  T& Get() const {
    for (const auto& w : FWindows)
      if (auto* found = dynamic_cast<T*>(w.get())) return *found;
    throw std::logic_error("TWindows: window type not created");
  }

  // The window of type T, or nullptr while it is not created yet (during the main window's own
  // creation).
  template <class T>
  T* Find() const {
    for (const auto& w : FWindows)
      if (auto* found = dynamic_cast<T*>(w.get())) return found;
    return nullptr;
  }

  // The main window has closed: every other window closes with it.
  void CloseAllButMain();

 private:
  void CreateAll();
  // The window's place is restored when it is first shown and kept when it is hidden.
  void KeepPlacement(QWidget& window);

  template <class T>
  void Create() {
    static_assert(std::is_base_of_v<QWidget, T>, "a window is a QWidget");
    if constexpr (std::is_constructible_v<T, TToolHost&>)
      FWindows.push_back(std::make_unique<T>(Host()));
    else
      FWindows.push_back(std::make_unique<T>());
    FWindows.back()->hide();
    KeepPlacement(*FWindows.back());
  }

  std::unique_ptr<QObject> FPlacements;  // keeps every other window's placement
  std::unique_ptr<TForm1> FMain;
  std::vector<std::unique_ptr<QWidget>> FWindows;  // the others, in creation order
};
