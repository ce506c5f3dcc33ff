#pragma once

#include <functional>
#include <string_view>

#include "engine/window_table.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"
#include "settings/settings.h"

namespace banchiro {

inline constexpr const char* kTooManyWindowsMessage =
    "窓の数が '20' を超えました。 超えた窓は無視されます。";
inline constexpr const char* kTooManyWindowsTitle = "窓の数 確認";

// Whether the filters leave this window out of an arrangement.
bool IsExcludedWindow(const WindowInfo& window, const Settings& settings);

// Walks the desktop's top-level windows, topmost first, and keeps at most 20
// that pass the filters, are no overlay or tool window and belong to a
// process this one may move; every kept handle is also recorded as N_Wnd(row).
// Each further passing window is announced with a message (and left out).
// `wanted`, when given, takes only some of the windows that pass (those of
// one monitor): the limit and its message count only those.
WindowTable CollectWindows(WindowSystem& windows, SettingsStore& store, MessageBoxes& message_boxes,
                           const Settings& settings,
                           const std::function<bool(WindowHandle, const WindowInfo&)>& wanted = {});

}  // namespace banchiro
