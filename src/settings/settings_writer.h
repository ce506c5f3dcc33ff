#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"
#include "settings/key_table.h"
#include "settings/settings.h"

namespace banchiro {

// Writes one key of the table: its field of the settings record and its
// stored value together, so that the two always agree. A key without a field
// (the handles of the last collection, the relay's hand-over, the relays'
// own values) is only stored. The key's shape must match the call (scalar,
// indexed, or row and index) and its indexes lie in the table's range; a
// write that does not fit is refused whole. Every Set returns whether the
// store took the value; the record is set either way.
class SettingsWriter {
 public:
  SettingsWriter(Settings& settings, SettingsStore& store) : settings_(&settings), store_(store) {}
  // For keys without a field only.
  explicit SettingsWriter(SettingsStore& store) : store_(store) {}

  bool Set(Key key, std::string_view text) { return Write(key, -1, -1, text, 1); }
  bool Set(Key key, int index, std::string_view text) { return Write(key, -1, index, text, 1); }
  bool Set(Key key, int row, int index, std::string_view text) {
    return Write(key, row, index, text, 1);
  }
  // A write that must not be lost (the place and the running flag at the
  // end of a run): a failed one is tried once more.
  bool SetTwice(Key key, std::string_view text) { return Write(key, -1, -1, text, 2); }

 private:
  // row and index -1: not given.
  bool Write(Key key, int row, int index, std::string_view text, int attempts);

  Settings* settings_ = nullptr;
  SettingsStore& store_;
};

// The stored text of a key, read as the writer names it.
std::string ReadStored(SettingsStore& store, Key key, int index = -1);

}  // namespace banchiro
