#pragma once
// The shape of the Wine test desktop, shared by the helper that makes it
// (desk_helper) and the tests that rely on it.

namespace banchiro::e2e {

// Wine's taskbar is 20 px; 30 px matches the work area the tests are written
// against and differs from both the default and the full screen, so a test
// that reads a stale work area notices.
inline constexpr int kTaskbarTop = 738;
inline constexpr int kTaskbarWidth = 1024;
inline constexpr int kTaskbarHeight = 30;

}  // namespace banchiro::e2e
