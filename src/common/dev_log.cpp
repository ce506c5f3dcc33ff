#include "common/dev_log.h"

#include <atomic>
#include <cstdio>

namespace banchiro::devlog {
namespace {

std::atomic<Sink*> installed{nullptr};

}  // namespace

Sink* Install(Sink* sink) {
  return installed.exchange(sink);
}

std::string FailureLine(std::string_view what, std::string_view detail, unsigned long error) {
  std::string line(what);
  line += " failed";
  if (!detail.empty()) line.append(": ").append(detail);
  if (error != 0) {
    // A system error code reads in decimal, as Windows documents it; an
    // HRESULT (its high bits set) in hexadecimal.
    char code[16];
    std::snprintf(code, sizeof code, error <= 0xFFFF ? "%lu" : "0x%08lX", error);
    line.append(" (error ").append(code).append(")");
  }
  return line;
}

void Failure(std::string_view what, std::string_view detail, unsigned long error) {
  // Building the line costs nothing worth saving: failures are rare.
  if (Sink* sink = installed.load()) sink->Line(FailureLine(what, detail, error));
}

}  // namespace banchiro::devlog
