#pragma once

#include <string>

namespace banchiro {

enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageIcon { kNone, kStop, kQuestion, kExclamation, kInformation };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };
// The button that Enter chooses: the first (OK, Yes) or the second (Cancel,
// No), for a question whose OK would do what cannot be undone.
enum class DefaultButton { kFirst, kSecond };

// Modal message boxes: the only way the program reports anything to the user.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(const std::string& text, const std::string& title,
                             MessageButtons buttons, MessageIcon icon,
                             DefaultButton default_button) = 0;
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons,
                     MessageIcon icon) {
    return Show(text, title, buttons, icon, DefaultButton::kFirst);
  }
};

}  // namespace banchiro
