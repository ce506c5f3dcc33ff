#include "app/command_line.h"

#include "common/command_split.h"
#include "common/display_methods.h"
#include "engine/arrange.h"

namespace banchiro {

std::string ArgumentText(std::string_view line) {
  const auto parts = SplitCommand(line);
  return parts ? parts->arguments : std::string();
}

std::optional<DisplayMethod> MethodForArgument(std::string_view argument) {
  if (argument.size() != 1) return std::nullopt;
  return MethodForLetter(argument[0]);
}

void RunCommandLine(std::string_view command_line, Platform& platform, const Settings& settings) {
  if (const auto method = MethodForArgument(ArgumentText(command_line))) {
    ArrangeWindows(*method, platform, settings);
  }
}

}  // namespace banchiro
