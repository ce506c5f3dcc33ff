#include "platform/fake/fake_platform.h"

namespace banchiro {

std::string FakeSettingsStore::Read(std::string_view section, std::string_view key) {
  calls_.push_back({false, std::string(section), std::string(key), {}});
  auto found = Get(section, key);
  return found ? *found : std::string();
}

void FakeSettingsStore::Write(std::string_view section, std::string_view key,
                              std::string_view text) {
  calls_.push_back({true, std::string(section), std::string(key), std::string(text)});
  Set(section, key, text);
}

void FakeSettingsStore::Set(std::string_view section, std::string_view key, std::string_view text) {
  values_[{std::string(section), std::string(key)}] = std::string(text);
}

std::optional<std::string> FakeSettingsStore::Get(std::string_view section,
                                                  std::string_view key) const {
  auto it = values_.find({std::string(section), std::string(key)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Has(std::string_view section, std::string_view key) const {
  return values_.count({std::string(section), std::string(key)}) > 0;
}

std::vector<FakeSettingsStore::Call> FakeSettingsStore::writes() const {
  std::vector<Call> result;
  for (const auto& call : calls_) {
    if (call.write) result.push_back(call);
  }
  return result;
}

MessageAnswer FakeMessageBoxes::Show(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon) {
  shown.push_back({text, title, buttons, icon});
  if (answers.empty()) return MessageAnswer::kOk;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace banchiro
