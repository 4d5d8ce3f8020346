#include "app/shell/Macros.h"

#include <utility>

namespace {

std::string Trimmed(const std::string& text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

const std::string kOpenStart = "[Open(";
const std::string kOpenEnd = "\")]";

}  // namespace

TMacroList SplitMacros(const std::string& line) {
  TMacroList macros;
  std::string text = line;
  for (std::size_t at = text.find("]["); at != std::string::npos; at = text.find("][")) {
    macros.push_back(Trimmed(text.substr(0, at + 1)));
    text.erase(0, at + 1);
  }
  macros.push_back(text);
  return macros;
}

std::optional<std::string> OpenMacroFor(const std::string& path) {
  if (path.empty() || path.find('"') != std::string::npos ||
      path.find("][") != std::string::npos || path.find('\n') != std::string::npos ||
      path.find('\r') != std::string::npos || path.find('\0') != std::string::npos)
    return std::nullopt;
  // A path ending in "]" would form "][" with the next macro of the same line.
  if (path.back() == ']') return std::nullopt;
  return kOpenStart + "\"" + path + kOpenEnd;
}

std::string MacroPath(const std::string& macro) {
  if (macro.compare(0, kOpenStart.size(), kOpenStart) != 0) return macro;
  const std::size_t first = macro.find('"');
  if (first == std::string::npos) return "";
  const std::size_t next = macro.find('"', first + 1);
  if (next == std::string::npos) return "";
  if (macro.compare(next, kOpenEnd.size(), kOpenEnd) != 0) return "";
  return macro.substr(first + 1, next - first - 1);
}

std::string LastMacroTarget(const TMacroList& macros) {
  std::string last;
  for (const std::string& m : macros) last = MacroPath(m);
  return last;
}

void TMacroBuffer::Receive(const std::string& line) {
  for (std::string& m : SplitMacros(line)) FQueue.push_back(std::move(m));
  Deliver();
}

void TMacroBuffer::ReceiveDirect(const TMacroList& lines) {
  if (!FHandler) return;
  FDirect.push_back(lines);
  Deliver();
}

void TMacroBuffer::RegisterHandler(THandler handler) {
  FHandler = std::move(handler);
  Deliver();
}

void TMacroBuffer::Deliver() {
  // A call from inside the handler (a nested event loop) only queues; the running delivery
  // picks the new requests up when the handler returns.
  if (FDelivering || !FHandler) return;
  FDelivering = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FDelivering};
  while (FHandler && (!FQueue.empty() || !FDirect.empty())) {
    if (!FQueue.empty()) {
      TMacroList macros;
      macros.swap(FQueue);
      FHandler(macros);
    } else {
      TMacroList lines = std::move(FDirect.front());
      FDirect.erase(FDirect.begin());
      FHandler(lines);
    }
  }
}
