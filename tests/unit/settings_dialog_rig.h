#pragma once
// The settings dialog's model over the fakes, shared by its tests.
#include <gtest/gtest.h>

#include <string>

#include "default_settings.h"
#include "ui/settings/settings_dialog_model.h"

namespace banchiro {

// The dialog over a first start's settings, with the main window and the
// dialog's own window noting what they are asked.
struct Rig : BarWindow, SettingsDialogView {
  Rig() {
    EXPECT_TRUE(testing::LoadDefaultSettings(fake, settings));
    loaded_writes = fake.store.writes().size();
  }
  void ApplyBarLayout(const BarLayout& l) override {
    Note("bar " + std::to_string(l.size.width) + "x" + std::to_string(l.size.height));
  }
  TwipsPoint Position() override { return place; }
  void MoveTo(const TwipsPoint& p) override {
    place = p;
    Note("move " + std::to_string(int(p.top)) + "," + std::to_string(int(p.left)));
  }
  void SaveToolbar() override { Note("save toolbar"); }
  void CustomizeToolbar() override { Note("customise toolbar"); }
  void Render(const SettingsDialogState&) override { ++renders; }
  void ShowHelp(const std::string& file, int context) override {
    Note(file + " " + std::to_string(context));
  }
  void Close() override { Note("close"); }
  void FocusNewTitle() override { Note("focus"); }
  void FocusKey(int method) override { Note("focus key " + std::to_string(method)); }
  std::optional<std::uint32_t> ChooseColour(std::uint32_t colour) override {
    Note("colour " + std::to_string(colour));
    return chosen_colour;
  }

  void Note(const std::string& what) { log += (log.empty() ? "" : ", ") + what; }
  std::string Boxes() const {  // the titles of the message boxes shown
    std::string titles;
    for (const auto& box : fake.message_boxes.shown)
      titles += (titles.empty() ? "" : ", ") + box.title;
    return titles;
  }
  // The writes since the load, "key=text" each.
  std::string Writes() const { return testing::WritesSince(fake.store, loaded_writes); }
  const SettingsDialogState& state() const { return model.state(); }

  FakePlatform fake;
  Settings settings;
  std::size_t loaded_writes = 0;
  TwipsPoint place{5445, 6525};
  std::string log;
  int renders = 0;
  std::optional<std::uint32_t> chosen_colour;
  SettingsDialogHooks hooks{[this] { Note("relays"); },
                            [this](bool shown) { Note(shown ? "palette" : "no palette"); }};
  SettingsDialogModel model{fake.platform, settings, *this, *this, hooks};
};

}  // namespace banchiro
