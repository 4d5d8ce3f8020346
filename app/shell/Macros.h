// The "open" macros the desktop sends: the text "[Open("path")]", how a received line is split
// into macros, the path an open macro names, and the queue that holds macros until the main
// window's handler is registered.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

using TMacroList = std::vector<std::string>;

// The two conversations of the open channel: "Macros" splits and queues what it receives,
// "LumivexDdeServer" hands the lines to the handler as they are.
inline constexpr const char* kMacroTopic = "Macros";
inline constexpr const char* kWindowTopic = "LumivexDdeServer";

// Splits a received line: while it holds "][", the part up to that "]" is one macro (trimmed)
// and the text goes on at the "["; the rest is the last macro.
TMacroList SplitMacros(const std::string& line);

// The open macro for a path, or nothing when the path cannot travel in one: a double quote
// would end the path early, "][" would split the macro in two and a line break would end the
// request. Such a path is refused, never sent mis-split.
std::optional<std::string> OpenMacroFor(const std::string& path);

// The path of an open macro ("[Open(" up to the first quote and from the next quote on are
// cut). A macro that does not begin with "[Open(" is returned as it is. An open macro whose
// path is not followed by `")]` was mis-built (a quote inside the path) and names no file: "".
std::string MacroPath(const std::string& macro);

// What the main window opens for a list of macros: the text of the last one handled.
std::string LastMacroTarget(const TMacroList& macros);

// The macro queue with at most one handler (the logic; app/MacroChannel.h adapts it to Qt). Macros wait until a handler is registered. The
// handler receives the queue as it was and the queue starts empty again before the call, so
// requests that arrive while the handler runs (in a message box, say) are kept and delivered
// right after it returns, never into the running call.
class TMacroBuffer {
 public:
  using THandler = std::function<void(const TMacroList& macros)>;

  // A request on the "Macros" topic: split, queue, deliver when a handler exists.
  void Receive(const std::string& line);
  // A request on the "LumivexDdeServer" topic: the lines as they are, no splitting, no queue.
  // While the handler runs, the lines wait their turn the same way.
  void ReceiveDirect(const TMacroList& lines);
  void RegisterHandler(THandler handler);
  bool HasHandler() const { return static_cast<bool>(FHandler); }
  const TMacroList& Pending() const { return FQueue; }

 private:
  void Deliver();
  TMacroList FQueue;
  std::vector<TMacroList> FDirect;  // direct requests that came in while the handler ran
  THandler FHandler;
  bool FDelivering = false;
};
