#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/rect.h"
#include "platform/platform.h"

namespace banchiro {

// One window an arrangement moved, as it stood before, and where it was put.
// Process and class tell the same window from another one that has been
// given its handle since.
struct RememberedWindow {
  WindowHandle handle = 0;
  ProcessId process = 0;
  std::string class_name;
  bool maximized = false;
  // Its rectangle; for a maximised window the one it is restored to.
  Rect restored;
  Rect given;  // the rectangle the arrangement moved it to
};

// The kept text: a version line, then one line per window, topmost first.
std::string FormatArrangement(const std::vector<RememberedWindow>& windows);
// The windows of a kept text, at most 20. Nothing of another version or of
// no text at all; a damaged line is skipped, the others kept.
std::vector<RememberedWindow> ParseArrangement(std::string_view text);

// How the window stands, read before the arrangement moves it.
RememberedWindow RememberWindow(Platform& platform, WindowHandle window);

// Keeps these as the last arrangement, in one write, in place of the one
// before. With `undoable` false (the choice is off) only forgets that one,
// so that an undo never goes back past a later arrangement.
void KeepArrangement(VolatileStore& store, bool undoable,
                     const std::vector<RememberedWindow>& windows);
// Minimise all came after the arrangement: its undo is the one to do.
void ForgetArrangement(VolatileStore& store);

// Undoes the last arrangement: every remembered window that is still the
// same window, standing where the arrangement put it, goes back to its
// rectangle and state; one moved, sized or closed since stays as it is.
// Then the memory is forgotten. False when no arrangement is remembered.
bool UndoArrangement(Platform& platform);

}  // namespace banchiro
