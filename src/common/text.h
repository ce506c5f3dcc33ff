#pragma once

namespace banchiro {

// The blanks that separate words on a command line and that a stored
// number may be padded with.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace banchiro
