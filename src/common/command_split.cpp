#include "common/command_split.h"

#include "common/text.h"

namespace banchiro {

std::optional<CommandParts> SplitCommand(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  if (i == line.size()) return std::nullopt;
  CommandParts parts;
  if (line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    if (close == std::string_view::npos || close == i + 1) return std::nullopt;
    parts.program = std::string(line.substr(i + 1, close - i - 1));
    i = close + 1;
    // Windows would read "A.EXE"G as the program A.EXEG.
    if (i < line.size() && !IsBlank(line[i])) return std::nullopt;
  } else {
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]))
      ++i;
    parts.program = std::string(line.substr(start, i - start));
    if (parts.program.find('"') != std::string::npos) return std::nullopt;
  }
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  parts.arguments = std::string(line.substr(i));
  return parts;
}

}  // namespace banchiro
