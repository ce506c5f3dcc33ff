#pragma once

#include <windows.h>

#include "common/own_windows.h"
#include "platform/screen.h"
#include "ui/win32/window_base.h"

namespace banchiro::ui {

inline constexpr const wchar_t* kSplashClassName = kOwnWindowClassW<OwnWindow::kSplash>.data();

// The start-up picture: a static, framed grey card with the product's name,
// shown modally until its five-second timer unloads it.
class SplashWindow : public WindowBase {
 public:
  SplashWindow(HINSTANCE instance, const ScreenMetrics& screen);
  // Shows the splash and returns when it has gone.
  void ShowModal();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PaintsWholeClient() const override { return true; }
  void Paint(HDC dc) override;

 private:
  int X(double twips) const;
  int Y(double twips) const;

  HINSTANCE instance_;
  ScreenMetrics screen_;
};

}  // namespace banchiro::ui
