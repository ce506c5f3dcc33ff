// The start-up load over a store filled with arbitrary texts: it must never
// crash, and what it leaves behind must still make sense.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "settings/key_table.h"
#include "settings/load_settings.h"

namespace {

using namespace banchiro;

// Every entry name the load reads, in table order.
std::vector<std::pair<std::string_view, std::string>> AllEntries() {
  std::vector<std::pair<std::string_view, std::string>> entries;
  for (const auto& key : KeyTable()) {
    const int rows = key.rows > 0 ? key.rows : 1;
    const int count = key.indexed() ? key.count : 1;
    for (int r = 0; r < rows; ++r) {
      for (int i = 0; i < count; ++i) {
        entries.emplace_back(key.section, KeyName(key, r, key.first + i));
      }
    }
  }
  return entries;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto entries = AllEntries();
  FakePlatform fake;
  // Input: records of (entry number, text up to the next 0xFF).
  std::size_t pos = 0;
  while (pos + 1 < size) {
    const auto& entry = entries[data[pos] % entries.size()];
    std::size_t end = pos + 1;
    while (end < size && data[end] != 0xFF)
      ++end;
    fake.store.Set(entry.first, entry.second,
                   std::string(reinterpret_cast<const char*>(data + pos + 1), end - pos - 1));
    pos = end + 1;
  }
  const int width = size > 0 ? 1 + data[0] * 16 : 1024;
  const ScreenMetrics screen{width, 768, 15.0, 15.0};
  Settings settings;
  const bool runs = LoadSettings(settings, fake.store, fake.message_boxes, fake.process,
                                 {screen, PaletteOuterSize(screen.width_twips())});

  Check(fake.store.Get(kSectionConfig, "OptMaj") == "6");
  Check(fake.store.Get(kSectionConfig, "OptMir") == "6");
  Check(fake.store.Get(kSectionConfig, "OptRev") == "0");
  Check(runs == fake.process.ended_with.empty());
  Check(fake.message_boxes.shown.size() == (runs ? 0u : 1u));
  if (!runs) return 0;
  const auto running = fake.store.Get(kSectionConfig, "OptStat");
  Check(running && !running->empty() && *running != "0");
  int counted = 0;
  for (const auto& title : settings.JogaiWid)
    counted += title.empty() ? 0 : 1;
  Check(settings.exclusion_count == counted);
  const std::string& cascade = settings.OptCas;
  Check(!cascade.empty() && !(cascade.size() == 1 && cascade[0] >= '0' && cascade[0] <= '9'));
  // The record and the store agree on every stored key.
  for (const auto& key : KeyTable()) {
    if (key.field == nullptr || key.rule == LoadRule::kMemoryDefault ||
        key.rule == LoadRule::kVersion) {
      continue;
    }
    const int rows = key.rows > 0 ? key.rows : 1;
    const int count = key.indexed() ? key.count : 1;
    for (int r = 0; r < rows; ++r) {
      for (int i = 0; i < count; ++i) {
        const auto stored = fake.store.Get(key.section, KeyName(key, r, key.first + i));
        Check(key.field(settings, r, i) == stored.value_or(""));
      }
    }
  }
  return 0;
}
