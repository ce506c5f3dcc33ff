#pragma once

#include <string>
#include <string_view>

namespace banchiro::devlog {

// The developer's log: one line of UTF-8 text for each failure the program
// handles without a word to the user (a window class refused, a relay that
// did not start, a setting that could not be written). The program never
// reads it back and behaves the same whether anyone keeps it.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Line(std::string_view text) = 0;
};

// Makes `sink` the process's log (nullptr: none, as at the start) and gives
// back the one it replaces.
Sink* Install(Sink* sink);

// The line of a failure: "<what> failed", then ": <detail>" and
// " (error <code>)" where there are any; `error` is the system's code or
// an HRESULT.
std::string FailureLine(std::string_view what, std::string_view detail = {},
                        unsigned long error = 0);

// Writes FailureLine(...) to the log, if there is one.
void Failure(std::string_view what, std::string_view detail = {}, unsigned long error = 0);

}  // namespace banchiro::devlog
