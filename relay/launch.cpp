#include "relay/launch.h"

namespace banchiro::relay {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Characters that no Windows file name holds. The colon is checked apart:
// it is allowed once, after a drive letter.
bool IsForbidden(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case '|':
    case '?':
    case '*':
    case '"':
      return true;
    default:
      return false;
  }
}

bool IsFullyQualified(std::string_view path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
    return true;
  }
  // \\server\share\...: the server name must follow at once.
  return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

std::string_view LastComponent(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSeparators(std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back()))
    folder.remove_suffix(1);
  return std::string(folder);
}

}  // namespace

std::optional<std::string> ProgramPath(std::string_view program, std::string_view folder) {
  for (const char c : program) {
    if (IsForbidden(c)) return std::nullopt;
  }
  const std::string_view name = LastComponent(program);
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  std::string path;
  if (program.find_first_of("\\/:") == std::string_view::npos) {
    if (folder.empty()) return std::nullopt;
    path = WithoutTrailingSeparators(folder) + "\\" + std::string(program);
  } else if (IsFullyQualified(program)) {
    // One colon, the drive's; a second one would name a stream or a device.
    if (program.find(':', 2) != std::string_view::npos) return std::nullopt;
    path = std::string(program);
  } else {
    return std::nullopt;
  }
  if (name.find('.') == std::string_view::npos) path += ".exe";
  return path;
}

std::optional<LaunchPlan> PlanLaunch(std::string_view command, std::string_view relay_folder) {
  const auto parts = SplitCommand(command);
  if (!parts) return std::nullopt;
  auto application = ProgramPath(parts->program, relay_folder);
  if (!application) return std::nullopt;
  LaunchPlan plan;
  plan.command_line = "\"" + *application + "\"";
  if (!parts->arguments.empty()) plan.command_line += " " + parts->arguments;
  plan.application = std::move(*application);
  plan.folder = WithoutTrailingSeparators(relay_folder);
  // "C:" alone would mean the current folder of drive C, not its root.
  if (plan.folder.size() == 2 && plan.folder[1] == ':') plan.folder += '\\';
  return plan;
}

}  // namespace banchiro::relay
