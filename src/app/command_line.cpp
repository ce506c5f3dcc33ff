#include "app/command_line.h"

#include "engine/arrange.h"
#include "engine/display_methods.h"

namespace banchiro {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string ArgumentText(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  if (i < line.size() && line[i] == '"') {
    // A quoted program name may hold blanks: "C:\Program Files\...\BANCHIRO.EXE"
    const std::size_t close = line.find('"', i + 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i]))
    ++i;
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  return std::string(line.substr(i));
}

std::optional<int> MethodForArgument(std::string_view argument) {
  if (argument.size() != 1) return std::nullopt;
  return MethodForLetter(argument[0]);
}

void RunCommandLine(std::string_view command_line, Platform& platform, const Settings& settings) {
  if (const auto method = MethodForArgument(ArgumentText(command_line))) {
    ArrangeWindows(*method, platform, settings);
  }
}

}  // namespace banchiro
