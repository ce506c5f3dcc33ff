#include "relay/relay.h"

#include "common/function_keys.h"
#include "relay/hot_key.h"

namespace banchiro::relay {

StartResult Relay::Start() {
  const std::string command = host_.ReadHandedOverCommand();
  if (!host_.RegisterHotKey(key_)) {
    host_.PublishWindow(true);
    host_.ShowExclamation(KeyTakenMessage(key_), kHotKeyCheckTitle);
    return StartResult::kKeyTaken;
  }
  // Planned once: the folder cannot change and the setting is the next
  // relay's from the moment this one is published.
  plan_ = PlanLaunch(command, host_.ProgramFolder());
  host_.PublishWindow(false);
  return StartResult::kServing;
}

void Relay::OnHotKey() {
  if (plan_) host_.Launch(*plan_);
}

}  // namespace banchiro::relay
