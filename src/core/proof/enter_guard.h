#pragma once
// The choice window takes its answer with Enter, and an operator who goes
// through the marks quickly often strikes Enter once more than needed. That
// second stroke lands in the text, right at the replaced mark, and would break
// the line there. An Enter that reaches the text within half a second of the
// choice window's answer is taken as meant for the window and dropped.

#include <chrono>
#include <optional>

namespace zorvel {

class EnterGuard {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kQuietTime{500};

  // The choice window gave its answer at `at`.
  void ChoiceClosed(Clock::time_point at) { closed_ = at; }
  // Whether an Enter reaching the text at `at` is dropped.
  bool DropsEnter(Clock::time_point at) const {
    return closed_.has_value() && at >= *closed_ && at - *closed_ < kQuietTime;
  }

 private:
  std::optional<Clock::time_point> closed_;
};

}  // namespace zorvel
