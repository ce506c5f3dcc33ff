#include "settings/settings_writer.h"

namespace banchiro {
namespace {

// The call gives exactly the indexes the key has, each in its range.
bool Fits(const KeyDef& key, int row, int index) {
  if (!key.indexed()) return row < 0 && index < 0;
  if ((key.rows > 0) != (row >= 0)) return false;
  return row < key.rows && index >= key.first && index < key.first + key.count;
}

}  // namespace

bool SettingsWriter::Write(Key id, int row, int index, std::string_view text, int attempts) {
  const KeyDef& key = KeyDefOf(id);
  if (!Fits(key, row, index)) return false;
  // A field without its record would leave the two apart.
  if (key.field && !settings_) return false;
  const int r = row < 0 ? 0 : row;
  // A copy first: the text may be the field's own.
  const std::string value(text);
  if (key.field) key.field(*settings_, r, index - key.first) = value;
  const std::string name = KeyName(key, r, index);
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (store_.Write(key.section, name, value)) return true;
  }
  return false;
}

std::string ReadStored(SettingsStore& store, Key id, int index) {
  const KeyDef& key = KeyDefOf(id);
  if (key.rows > 0 || !Fits(key, -1, index)) return {};
  return store.Read(key.section, KeyName(key, 0, index));
}

}  // namespace banchiro
