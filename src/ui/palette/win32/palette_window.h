#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "common/own_windows.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "settings/settings.h"
#include "ui/palette/palette_model.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kPaletteClassName = kOwnWindowClassW<OwnWindow::kPalette>.data();
// Control identifiers of the name tiles (Label1) and key tiles (Label2).
inline constexpr int kNameTileId = 100;
inline constexpr int kKeyTileId = 200;

// The floating function-key palette: a borderless strip cut to the shape of
// its 24 tiles, showing which display method each hot key carries. It only
// renders the palette model; clicking it does nothing but drag it.
class PaletteWindow : public WindowBase {
 public:
  PaletteWindow(Platform& platform, Settings& settings, HINSTANCE instance);
  ~PaletteWindow() override;
  // Loads the palette (colours, layout, shape, position) without showing it.
  bool Load();
  void Show();
  // Unloads it; the position goes to the store on the way.
  void Unload();
  bool loaded() const { return hwnd() != nullptr; }
  // Called when Windows ends the session while the palette is up, before
  // the process is ended: the run's orderly end must happen now or never.
  void set_on_session_end(std::function<void()> handler) { on_session_end_ = std::move(handler); }
  // Called once the palette window is gone, however it went.
  void set_on_destroyed(std::function<void()> handler) { on_destroyed_ = std::move(handler); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroyed() override;

 private:
  void ReadColours();
  void OnActivate();
  void CreateTiles();
  // Size, tiles, fonts and shape at the DPI of the palette's monitor.
  void ApplyScale(int dpi);
  void StorePosition();
  win32::UniqueFont MakeFont(int points) const;

  Platform& platform_;
  Settings& settings_;
  HINSTANCE instance_;
  HWND owner_ = nullptr;
  std::function<void()> on_session_end_;
  std::function<void()> on_destroyed_;  // hidden; keeps the palette off the taskbar
  ScreenMetrics screen_{};              // places in twips, at the system's DPI
  ScreenMetrics scale_{};               // sizes in twips, at the DPI of the palette's monitor
  PaletteLayout layout_{};
  COLORREF text_colour_ = 0;
  COLORREF back_colour_ = 0;
  win32::UniqueFont name_font_;
  win32::UniqueFont key_font_;
  win32::UniqueBrush background_;
};

}  // namespace banchiro::ui
