#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace banchiro {

// The fourteen display methods. Their order is the numbering, 0..13, by
// which every per-method setting (D_Method, Fkey, FkeyDisp, Fname, RgtClick)
// is stored: a method becomes a number only where such a setting is read or
// written (MethodIndex, MethodAt), and the command line, the hot keys and
// the Explorer verbs name it by its letter.
// Menu captions and toolbar places belong to the main window.
enum class DisplayMethod : int {
  kCascadeFromTopLeft,
  kCascadeFromTopRight,
  kCascadeFromBottomRight,
  kCascadeFromBottomLeft,
  kStacked,
  kSideBySide,
  kLeftAndStacked,       // one window left, two stacked right of it
  kRightAndStacked,      // two stacked, one window right of them
  kTopAndSideBySide,     // one window on top, two side by side below it
  kBottomAndSideBySide,  // two side by side, one window below them
  kGrid,                 // two by two
  kMinimizeAll,
  kUndo,
  kCloseAll,
};
inline constexpr int kMethodCount = static_cast<int>(DisplayMethod::kCloseAll) + 1;

// The stored index of a method, and the method of a stored index.
constexpr int MethodIndex(DisplayMethod method) {
  return static_cast<int>(method);
}
std::optional<DisplayMethod> MethodAt(int index);

// The four cascades lay the windows out one behind the other from a corner,
// the seven tilings side by side; the other three are no layout, but
// commands on every collected window.
constexpr bool IsCascade(DisplayMethod method) {
  return MethodIndex(method) >= MethodIndex(DisplayMethod::kCascadeFromTopLeft) &&
         MethodIndex(method) <= MethodIndex(DisplayMethod::kCascadeFromBottomLeft);
}
constexpr bool IsTiling(DisplayMethod method) {
  return MethodIndex(method) >= MethodIndex(DisplayMethod::kStacked) &&
         MethodIndex(method) <= MethodIndex(DisplayMethod::kGrid);
}
constexpr bool IsLayout(DisplayMethod method) {
  return IsCascade(method) || IsTiling(method);
}

struct DisplayMethodEntry {
  DisplayMethod method;
  char letter;               // command-line letter
  std::string_view caption;  // the method's name, the palette's default Fname(n)
};

// In method order: entry n is the method of index n.
const std::array<DisplayMethodEntry, kMethodCount>& DisplayMethods();

// The method a command-line letter names, in either case.
std::optional<DisplayMethod> MethodForLetter(char letter);

// The program's file, beside KOVRAN.EXE in the program's folder.
inline constexpr std::string_view kProgramFileName = "BANCHIRO.EXE";

// The defaults of the settings of a method's index: "BANCHIRO.EXE " and
// the method's letter, what a hot key runs; the method's name. Both "" for
// an index that is no method.
std::string MethodCommand(int index);
std::string MethodCaption(int index);

}  // namespace banchiro
