#include "engine/arrange.h"

#include "engine/collect.h"
#include "engine/layouts.h"
#include "engine/moves.h"
#include "engine/undo_memory.h"
#include "settings/setting_values.h"

namespace banchiro {

void ArrangeWindows(int method, Platform& platform, const Settings& settings) {
  if (method < 0 || method > 13) return;
  WindowTable table =
      CollectWindows(platform.windows, platform.store, platform.message_boxes, settings);
  const bool windows_xp = GetWindowsName(platform.system.Version()) == WindowsName::kXP;
  const LayoutInputs inputs = MakeLayoutInputs(settings, platform.windows.WorkArea(), windows_xp);

  if (method <= 10) {
    const auto targets = ComputeLayout(method, static_cast<int>(table.size()), inputs);
    if (!targets) return;
    const bool undoable = UndoesArrangement(settings);
    std::vector<RememberedWindow> arranged;
    for (std::size_t row = 0; row < table.size(); ++row) {
      if (undoable) arranged.push_back(RememberWindow(platform, table[row].handle));
      const Rect moved = PlaceWindow(platform.windows, table[row].handle,
                                     FitToArea((*targets)[row], inputs.work_area));
      if (undoable) arranged.back().given = moved;
    }
    KeepArrangement(platform.volatile_store, undoable, arranged);
  } else if (method == 11) {
    ForgetArrangement(platform.volatile_store);
    MinimizeAllWindows(platform.shell, platform.windows, platform.store, table);
  } else if (method == 12) {
    if (UndoesArrangement(settings) && UndoArrangement(platform)) return;
    UndoMinimizeAllWindows(platform.shell, platform.windows, platform.store);
  } else {
    CloseAllWindows(platform.windows, table);
  }
}

}  // namespace banchiro
