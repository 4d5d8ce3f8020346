#include "platform/SaneSession.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <mutex>

namespace {

TAppIdentity& Identity() {
  static TAppIdentity identity;
  return identity;
}

}  // namespace

void SetAppIdentity(const TAppIdentity& identity) { Identity() = identity; }
const TAppIdentity& AppIdentity() { return Identity(); }

bool SourceManagerPresent() {
  static bool present = false;
  static std::once_flag once;
  std::call_once(once, [] {
    TSaneSession session;
    present = session.Ok();
  });
  return present;
}

std::string SaneStatusText(int status) {
  const char* text = sane_strstatus(static_cast<SANE_Status>(status));
  return text ? text : "Unknown status " + std::to_string(status);
}

ESane::ESane(const std::string& message, int status)
    : std::runtime_error(message + "\n" + SaneStatusText(status)), FMessage(message),
      FStatus(status) {}

std::string ESane::StatusText() const { return SaneStatusText(FStatus); }

TSaneSession::TSaneSession() {
  SANE_Int version = 0;  // the library's version; it asks nothing of the program's identity
  FStatus = sane_init(&version, nullptr);
}

TSaneSession::~TSaneSession() {
  if (Ok()) sane_exit();
}

std::vector<TSaneDeviceInfo> TSaneSession::Devices() const {
  std::vector<TSaneDeviceInfo> found;
  if (!Ok()) return found;
  const SANE_Device** list = nullptr;
  const SANE_Status status = sane_get_devices(&list, SANE_FALSE);
  if (status != SANE_STATUS_GOOD) throw ESane("Unable to list the scanners.", status);
  for (int i = 0; list && list[i]; ++i) {
    auto text = [](const char* s) { return std::string(s ? s : ""); };
    found.push_back({text(list[i]->name), text(list[i]->vendor), text(list[i]->model),
                     text(list[i]->type)});
  }
  return found;
}

std::string TSaneOption::UnitText() const {
  switch (Unit) {
    case SANE_UNIT_PIXEL: return "pixels";
    case SANE_UNIT_BIT: return "bits";
    case SANE_UNIT_MM: return "mm";
    case SANE_UNIT_DPI: return "dpi";
    case SANE_UNIT_PERCENT: return "%";
    case SANE_UNIT_MICROSECOND: return "\xC2\xB5s";
    default: return {};
  }
}

TSaneDevice::TSaneDevice(const TSaneSession& session, const std::string& name) : FName(name) {
  if (!session.Ok()) throw ESane("Unable to load Source Manager (SANE)", session.Status());
  SANE_Handle handle = nullptr;
  const SANE_Status status = sane_open(name.c_str(), &handle);
  if (status != SANE_STATUS_GOOD) throw ESane("Unable to open default Data Source.", status);
  FHandle = handle;
}

TSaneDevice::~TSaneDevice() {
  if (!FHandle) return;
  sane_cancel(FHandle);
  sane_close(FHandle);
}
