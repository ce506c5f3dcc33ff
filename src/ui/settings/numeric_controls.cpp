#include "ui/settings/numeric_controls.h"

namespace banchiro {
namespace {

// One field of the clock: `limit` is 24 for the hour, 60 for the minute.
// Returns -1 or +1 when the value wrapped downwards or upwards.
int Wrap(int& value, std::string& label, int limit) {
  int carry = 0;
  if (value >= limit) {
    value = 0;
    carry = 1;
  } else if (value < 0) {
    value = limit - 1;
    carry = -1;
  }
  label = TwoDigits(value);
  return carry;
}

}  // namespace

std::string TwoDigits(int value) {
  return (value >= 0 && value <= 9 ? "0" : "") + std::to_string(value);
}

void StepRunTime(RunTime& time, bool minute, int value, bool linked) {
  if (!minute) {
    time.hour = kHourRange.Clamp(value);
    Wrap(time.hour, time.hour_label, 24);
    return;
  }
  time.minute = kMinuteRange.Clamp(value);
  const int carry = Wrap(time.minute, time.minute_label, 60);
  if (linked && carry != 0) StepRunTime(time, false, time.hour + carry, linked);
}

std::string CascadeLabel(int tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace banchiro
