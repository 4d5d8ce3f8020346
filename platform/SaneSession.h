// The scanner interface (SANE): the library started and ended once per use, its devices, a
// device's own options as it describes them, and a scan into a TScanAssembler. Plain C++ over
// libsane; the windows that show the options and the progress live in the editor.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/formats/ScanFrames.h"

// The identity this program gives to the scanner interface.
struct TAppIdentity {
  int MajorNum = 1;
  int MinorNum = 0;
  std::string VersionInfo = "1.0";
  std::string Manufacturer = "Lumivex by Corvane Software";
  std::string ProductFamily = "Lumivex";
  std::string ProductName = "Lumivex";
};
void SetAppIdentity(const TAppIdentity& identity);
const TAppIdentity& AppIdentity();

// True when the scanner library starts; tried once, the answer remembered.
bool SourceManagerPresent();

// A failed scanner call: the message for the user and the library's status.
class ESane : public std::runtime_error {
 public:
  ESane(const std::string& message, int status);
  const std::string& Message() const { return FMessage; }
  int Status() const { return FStatus; }
  // The library's text for the status ("Device busy", ...).
  std::string StatusText() const;

 private:
  std::string FMessage;
  int FStatus;
};
std::string SaneStatusText(int status);

struct TSaneDeviceInfo {
  std::string Name, Vendor, Model, Type;
};

// The library, started in the constructor and ended in the destructor (on every path).
class TSaneSession {
 public:
  TSaneSession();
  ~TSaneSession();
  TSaneSession(const TSaneSession&) = delete;
  TSaneSession& operator=(const TSaneSession&) = delete;
  bool Ok() const { return FStatus == 0; }
  int Status() const { return FStatus; }
  // The devices found; raises ESane.
  std::vector<TSaneDeviceInfo> Devices() const;

 private:
  int FStatus;
};

enum class TSaneOptionType { Bool, Int, Fixed, String, Button, Group };
enum class TSaneConstraint { None, Range, WordList, StringList };

// One option as the device describes it, with its current value.
struct TSaneOption {
  int Index = 0;
  std::string Name, Title, Description, Group;
  TSaneOptionType Type = TSaneOptionType::Int;
  int Unit = 0;             // SANE_Unit
  int Count = 1;            // values held (arrays hold more than one)
  bool Active = true;
  bool Settable = false;    // soft-selectable
  bool Readable = false;    // soft-detectable
  bool Advanced = false;
  TSaneConstraint Constraint = TSaneConstraint::None;
  double Min = 0, Max = 0, Quant = 0;
  std::vector<double> Words;
  std::vector<std::string> Strings;
  // The current value (the first of an array).
  double Number = 0;
  bool Flag = false;
  std::string Text;
  // The unit as shown after a value ("dpi", "mm", ...).
  std::string UnitText() const;
};

// What setting an option changed beside its value.
struct TSaneSetResult {
  bool Inexact = false;         // the device chose a near value
  bool ReloadOptions = false;   // other options changed (activity, ranges, values)
  bool ReloadParameters = false;
};

enum class TScanOutcome { Done, Cancelled };

// An open device: closed (after sane_cancel) in the destructor.
class TSaneDevice {
 public:
  // Raises ESane ("Unable to open default Data Source." with the status).
  TSaneDevice(const TSaneSession& session, const std::string& name);
  ~TSaneDevice();
  TSaneDevice(const TSaneDevice&) = delete;
  TSaneDevice& operator=(const TSaneDevice&) = delete;
  const std::string& Name() const { return FName; }

  std::vector<TSaneOption> Options() const;
  // The option of that name among Options(); nullptr when there is none.
  static const TSaneOption* Find(const std::vector<TSaneOption>& options, const std::string& name);
  // Sets an option; all values of an array option get the value. Raises ESane.
  TSaneSetResult SetNumber(int index, double value);
  TSaneSetResult SetFlag(int index, bool value);
  TSaneSetResult SetText(int index, const std::string& value);
  TSaneSetResult Press(int index);
  // Sets options by name (tests, the command line): "mode=Color". Raises ESane or
  // std::invalid_argument for a name the device does not have.
  void Set(const std::string& name, const std::string& value);

  // Progress of a scan: bytes received of the frame that runs, bytes it announced (0 when
  // unknown) and the frames done before it.
  using TProgress = std::function<void(std::uint64_t received, std::uint64_t expected, int frame)>;
  // Scans one picture into `assembler`, frame after frame. `stop` is checked between reads:
  // the scan is then cancelled. The scan is cancelled on every path (also when the assembler
  // or the device raises). Raises ESane for device failures, EScanFrame / EScanTooLarge from
  // the assembler.
  TScanOutcome Scan(TScanAssembler& assembler, const std::atomic<bool>& stop,
                    const TProgress& progress = {});

 private:
  TSaneSetResult Control(int index, void* value, int action);

  void* FHandle = nullptr;
  std::string FName;
};
