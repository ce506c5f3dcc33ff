// The start-up load over a store filled with arbitrary texts: it must never
// crash, and what it leaves behind must still make sense.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "settings/key_table.h"
#include "settings/load_settings.h"

namespace {

using namespace banchiro;

// Calls `visit` for every entry of every key, in table order.
void ForEachEntry(const std::function<void(const KeyDef&, int row, int index)>& visit) {
  for (const auto& key : KeyTable()) {
    for (int r = 0; r < std::max(key.rows, 1); ++r) {
      for (int i = 0; i < (key.indexed() ? key.count : 1); ++i)
        visit(key, r, i);
    }
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<std::pair<std::string_view, std::string>> entries;
  if (entries.empty()) {
    ForEachEntry([](const KeyDef& key, int r, int i) {
      entries.emplace_back(key.section, KeyName(key, r, key.first + i));
    });
  }
  FakePlatform fake;
  // Input: records of (entry number, text up to the next 0xFF).
  for (std::size_t pos = 0, end = 0; pos + 1 < size; pos = end + 1) {
    for (end = pos + 1; end < size && data[end] != 0xFF;)
      ++end;
    const auto& entry = entries[data[pos] % entries.size()];
    fake.store.Set(entry.first, entry.second,
                   std::string(reinterpret_cast<const char*>(data + pos + 1), end - pos - 1));
  }
  const ScreenMetrics screen{size > 0 ? 1 + data[0] * 16 : 1024, 768, 15.0, 15.0};
  Settings settings;
  const bool runs = LoadSettings(settings, fake.store, fake.message_boxes, fake.process,
                                 {screen, PaletteOuterSize(screen.width_twips())});

  Check(fake.store.Get(kSectionConfig, "OptMaj") == "6");
  Check(runs == fake.process.ended_with.empty());
  Check(fake.message_boxes.shown.size() == (runs ? 0u : 1u));
  if (!runs) return 0;
  Check(fake.store.Get(kSectionConfig, "OptStat").value_or("0") != "0");
  int counted = 0;
  for (const auto& title : settings.JogaiWid)
    counted += title.empty() ? 0 : 1;
  Check(settings.exclusion_count == counted);
  const std::string& cascade = settings.OptCas;  // a single digit is always migrated
  Check(!cascade.empty() && !(cascade.size() == 1 && cascade[0] >= '0' && cascade[0] <= '9'));
  // The record and the store agree on every key the load keeps in both.
  ForEachEntry([&](const KeyDef& key, int r, int i) {
    if (key.field == nullptr || key.rule == LoadRule::kMemoryDefault ||
        key.rule == LoadRule::kVersion) {
      return;
    }
    const auto stored = fake.store.Get(key.section, KeyName(key, r, key.first + i));
    Check(key.field(settings, r, i) == stored.value_or(""));
  });
  return 0;
}
