#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace banchiro {

// The fourteen display methods share one numbering, 0..13. Every setting that
// is per method (D_Method, Fkey, FkeyDisp, Fname, RgtClick) is indexed by it,
// and the command line, the hot keys and the Explorer verbs name a method by
// its letter. Menu captions and toolbar places belong to the main window.
inline constexpr int kMethodCount = 14;

struct DisplayMethod {
  int number;
  char letter;               // command-line letter
  std::string_view caption;  // the method's name, the palette's default Fname(n)
};

const std::array<DisplayMethod, kMethodCount>& DisplayMethods();

// The method a command-line letter names, in either case.
std::optional<int> MethodForLetter(char letter);

// The program's file, beside KOVRAN.EXE in the program's folder.
inline constexpr std::string_view kProgramFileName = "BANCHIRO.EXE";

// "BANCHIRO.EXE " and the method's letter: what a hot key runs by default.
std::string MethodCommand(int method);
// The method's name; "" for a number that is no method.
std::string MethodCaption(int method);

}  // namespace banchiro
