#include "ui/version/version_dialog_model.h"

namespace banchiro {
namespace {

constexpr const char* kMincho = "ＭＳ Ｐ明朝";
constexpr const char* kTimes = "Times New Roman";
constexpr const char* kGothic = "ＭＳ Ｐゴシック";

bool IsMail(int index) {
  return index == kFirstContact || index == kFirstContact + 1;
}

bool IsHomePage(int index) {
  return index >= kFirstContact + 2 && index < kFirstContact + kContactCount;
}

}  // namespace

std::pair<std::string, std::string> SplitHomePage(const std::string& url) {
  const std::size_t scheme = url.find("://");
  const std::size_t host = scheme == std::string::npos ? 0 : scheme + 3;
  const std::size_t path = url.find('/', host);
  if (path == std::string::npos) return {url, ""};
  return {url.substr(0, path), url.substr(path)};
}

std::vector<VersionLabel> VersionLabels(const Contacts& contacts, const std::string& version) {
  const auto [host, path] = SplitHomePage(contacts.home_page);
  const auto contact = [](int index, const std::string& text, double top) {
    return VersionLabel{index, {text, kGothic, 9, false, kContactAtRest, 480, top, 0, 0}};
  };
  return {
      {1, {"ばんちろ", kMincho, 42, true, kCardYellow, 1650, 240, 3405, 855, 120, 120}},
      {3, {"君", kMincho, 12, true, kCardYellow, 5130, 810, 285, 285, 120, 120}},
      {5, {"Ver." + version, kTimes, 14.25, false, kCardLightYellow, 480, 830, 1065, 315, 90, 85}},
      {18,
       {"for  Windows 98/Me/NT/2000/XP", kTimes, 14.25, false, kCardYellow, 300, 1260, 3885, 405,
        90, 90}},
      contact(10, "E-Mail Address：", 2265),
      contact(11, contacts.mail, 2490),
      contact(12, "URL Address：", 2910),
      contact(13, host, 3135),
      contact(14, path, 3360),
  };
}

VersionDialogModel::VersionDialogModel(Platform& platform, Contacts contacts,
                                       VersionDialogView& view)
    : platform_(platform), contacts_(std::move(contacts)), view_(view) {
  colours_.fill(kContactAtRest);
}

void VersionDialogModel::Show() {
  if (open_) {
    view_.BringForward();
    return;
  }
  // A window that something else keeps disabled (the toolbar's own dialog
  // over the bar, the colour dialog over the settings) stays so afterwards.
  std::vector<WindowHandle> enabled;
  for (const ProgramWindow& window : view_.ProgramWindows()) {
    if (window.enabled) enabled.push_back(window.handle);
  }
  colours_.fill(kContactAtRest);
  if (!view_.Create()) return;
  open_ = true;
  // Disabled once the dialog is up and active, so that the activation never
  // passes to another program on the way.
  disabled_ = std::move(enabled);
  for (const WindowHandle window : disabled_)
    view_.EnableWindow(window, false);
  view_.RunUntilClosed();
}

void VersionDialogModel::Unload() {
  if (!open_) return;
  open_ = false;
  // Enabled before the dialog goes, so that Windows hands the activation
  // back to one of them rather than to another program.
  for (const WindowHandle window : disabled_)
    view_.EnableWindow(window, true);
  disabled_.clear();
  view_.Destroy();
}

void VersionDialogModel::HoverContact(int label) {
  if (IsMail(label)) Light(true, false);
  if (IsHomePage(label)) Light(false, true);
}

void VersionDialogModel::OpenContact(int label) {
  // Whatever program the shell has registered takes the link; the messages
  // say only that none could be started, and the shell shows none of its
  // own for it.
  if (IsMail(label) && !platform_.shell.Open("mailto:" + contacts_.mail, view_.Handle())) {
    platform_.message_boxes.Show(kNoMailClientText, kNoMailClientTitle, MessageButtons::kOk,
                                 MessageIcon::kExclamation);
  }
  if (IsHomePage(label) && !platform_.shell.Open(contacts_.home_page, view_.Handle())) {
    platform_.message_boxes.Show(kNoBrowserText, kNoBrowserTitle, MessageButtons::kOk,
                                 MessageIcon::kExclamation);
  }
}

void VersionDialogModel::Light(bool mail, bool home_page) {
  std::array<std::uint32_t, kContactCount> colours;
  for (int i = 0; i < kContactCount; ++i) {
    const bool lit = IsMail(kFirstContact + i) ? mail : home_page;
    colours[i] = lit ? kContactLit : kContactAtRest;
  }
  if (colours == colours_) return;
  colours_ = colours;
  view_.ShowContactColours(colours_);
}

}  // namespace banchiro
