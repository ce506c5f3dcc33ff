#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/window_handle.h"
#include "platform/platform.h"
#include "ui/card_text.h"

namespace banchiro {

inline constexpr const char* kVersionCaption = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr double kVersionWidthTwips = 5925;
inline constexpr double kVersionHeightTwips = 3915;

// The contact entries are Label1(10) to Label1(14): the e-mail caption and
// address, the home-page caption and its two lines.
inline constexpr int kFirstContact = 10;
inline constexpr int kContactCount = 5;
inline constexpr std::uint32_t kContactAtRest = 12648384;  // red 192, green 255, blue 192
inline constexpr std::uint32_t kContactLit = 65280;        // pure green

inline constexpr const char* kNoMailClientText = "「Outlook Express」 が ｲﾝｽﾄｰﾙ されていません。";
inline constexpr const char* kNoMailClientTitle = "OE ｲﾝｽﾄｰﾙ 確認";
inline constexpr const char* kNoBrowserText = "「Internet Explorer」 が ｲﾝｽﾄｰﾙ されていません。";
inline constexpr const char* kNoBrowserTitle = "IE ｲﾝｽﾄｰﾙ 確認";

// The author's addresses, as the build sets them.
struct Contacts {
  std::string mail;
  std::string home_page;
};

// The home page on two lines: up to the host's end, then the path.
std::pair<std::string, std::string> SplitHomePage(const std::string& url);

// A label of the dialog with the index its handlers get.
struct VersionLabel {
  int index;
  CardText look;
};

// Every label in painting order; the contact entries at rest.
std::vector<VersionLabel> VersionLabels(const Contacts& contacts, const std::string& version);

// One of the program's top-level windows, as the version dialog finds it
// when it opens.
struct ProgramWindow {
  WindowHandle handle = 0;
  bool enabled = false;
};

class VersionDialogView {
 public:
  virtual ~VersionDialogView() = default;
  // The colours of Label1(10) to Label1(14), in order.
  virtual void ShowContactColours(const std::array<std::uint32_t, kContactCount>& colours) = 0;
  // The program's visible top-level windows (the bar, the palette, the
  // settings dialog, a dialog of its own over one of them).
  virtual std::vector<ProgramWindow> ProgramWindows() = 0;
  virtual void EnableWindow(WindowHandle window, bool enable) = 0;
  // Makes the dialog, every contact at rest, and shows it active; false when
  // it could not be made.
  virtual bool Create() = 0;
  virtual void BringForward() = 0;
  // Serves the thread's messages until the dialog has gone.
  virtual void RunUntilClosed() = 0;
  virtual void Destroy() = 0;
  // The dialog, owner of what the shell shows for a contact link.
  virtual WindowHandle Handle() = 0;
};

// The rules of the version dialog: one at a time, modal over every window
// of the program; the contact groups light up together under the mouse,
// and a click opens the address with the shell's handler.
class VersionDialogModel {
 public:
  VersionDialogModel(Platform& platform, Contacts contacts, VersionDialogView& view);

  // "ﾊﾞｰｼﾞｮﾝ情報": shows the dialog and returns once it has closed. A
  // request while it is open (from the tray, whose menus stay live) only
  // brings it forward.
  void Show();
  // OK, Enter, Esc, the close box, the end of the program, or the window
  // gone with its owner: the windows it disabled, and only those, take
  // input again.
  void Unload();
  bool open() const { return open_; }

  void OnOk() { Unload(); }
  // The mouse over the dialog's background: every entry at rest.
  void HoverBackground() { Light(false, false); }
  // The mouse over a contact label lights its group; a click opens its
  // address.
  void HoverContact(int label);
  void OpenContact(int label);

 private:
  void Light(bool mail, bool home_page);

  Platform& platform_;
  Contacts contacts_;
  VersionDialogView& view_;
  std::array<std::uint32_t, kContactCount> colours_;
  bool open_ = false;
  std::vector<WindowHandle> disabled_;
};

}  // namespace banchiro
