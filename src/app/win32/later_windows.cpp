#include "app/win32/later_windows.h"

namespace banchiro::app {

// Not built yet: the items are in place with their final captions and
// shortcuts, and choosing one does nothing until its window exists.
void ShowHelp(ui::MainWindow&, const Settings&, int) {}
void ShowVersionDialog(ui::MainWindow&) {}

}  // namespace banchiro::app
