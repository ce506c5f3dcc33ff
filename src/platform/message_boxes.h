#pragma once

#include <string>

namespace banchiro {

enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageIcon { kNone, kStop, kQuestion, kExclamation, kInformation };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

// Modal message boxes: the only way the program reports anything to the user.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::string& text, const std::string& title,
                             MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace banchiro
