#pragma once

#include <string>

namespace banchiro {

// The spinners and scroll bars of the settings dialog have no text box:
// each drives a label, and the label's text is what gets stored.

// A control's own range; the change handling keeps the used part of it.
struct SpinRange {
  int min;
  int max;
  int Clamp(int value) const { return value < min ? min : value > max ? max : value; }
};

inline constexpr SpinRange kHourRange{-1, 24};    // used 0..23; the ends wrap
inline constexpr SpinRange kMinuteRange{-1, 60};  // used 0..59; the ends wrap
inline constexpr SpinRange kCascadeRange{1, 30};  // tenths: 0.1 .. 3.0
inline constexpr SpinRange kRatioRange{1, 19};    // twentieths
inline constexpr SpinRange kIconCountRange{0, 5};
inline constexpr SpinRange kIconSizeRange{0, 150};
inline constexpr SpinRange kAdjustmentRange{-70, 200};
inline constexpr SpinRange kSizeRuleRange{0, 999};

// The run time: hour and minute, each with its two-digit label.
struct RunTime {
  int hour = 0;
  int minute = 0;
  std::string hour_label = "00";
  std::string minute_label = "00";
};

// "07", "23": the label of a time value in its used range.
std::string TwoDigits(int value);

// The hour (minute false) or the minute was stepped to `value`: one past
// either end wraps to the other, and with `linked` a wrapping minute carries
// into the hour, which wraps in turn.
void StepRunTime(RunTime& time, bool minute, int value, bool linked);

// The cascade size label: tenths with one decimal, "0.1" .. "3.0".
std::string CascadeLabel(int tenths);

// The ratio pairs add up to 20: the partner of a share.
inline int PartnerShare(int share) {
  return 20 - share;
}

}  // namespace banchiro
