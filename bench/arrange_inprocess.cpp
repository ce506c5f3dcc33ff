// Inside one process: the two shares of a one-shot run that are BANCHIRO's
// own, the settings load and the collection + layout + moves for the
// desktop's windows. Prints the figures; asserts nothing. (No system call is
// a yardstick here: TileWindows moves nothing under Wine.)
//
//   arrange_inprocess.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/collect.h"
#include "engine/layouts.h"
#include "engine/moves.h"
#include "platform/win32/win32_platform.h"
#include "settings/load_settings.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  banchiro::win32::Win32Platform platform(banchiro::kApplicationName,
                                          banchiro::kRelayApplicationName);
  banchiro::Settings settings;
  const auto screen = platform.screen.Metrics();
  // Start-up's share of a one-shot run: some 300 values read.
  const auto load_start = Clock::now();
  banchiro::LoadSettings(settings, platform.store, platform.message_boxes, platform.process,
                         {screen, banchiro::PaletteOuterSize(screen.width_twips())});
  const double load_ms = Milliseconds(Clock::now() - load_start);

  std::vector<double> engine_ms;
  std::size_t windows = 0;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    auto table = banchiro::CollectWindows(platform.windows, platform.store, platform.message_boxes,
                                          settings);
    const auto inputs = banchiro::MakeLayoutInputs(settings, platform.windows.WorkArea(), false);
    const auto targets = banchiro::ComputeLayout(banchiro::DisplayMethod::kStacked,
                                                 static_cast<int>(table.size()), inputs);
    for (std::size_t row = 0; targets && row < table.size(); ++row) {
      banchiro::PlaceWindow(platform.windows, table[row].handle, (*targets)[row]);
    }
    engine_ms.push_back(Milliseconds(Clock::now() - start));
    windows = table.size();
  }
  std::printf("in-process, %zu windows\n", windows);
  std::printf("  settings load at start-up (once):       %.1f ms\n", load_ms);
  std::printf("  collect + layout + moves (%d runs): median %.1f ms\n", runs, Median(engine_ms));
  return 0;
}
