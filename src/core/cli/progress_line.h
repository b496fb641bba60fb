#pragma once
// One line on a terminal that tells how far a run over many pages is:
// "DONE/TOTAL pages, RATE pages/s", redrawn in place at most a few times a
// second. Whatever else is written to the terminal is written between Clear()
// and the next Show().

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace zorvel::cli {

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  ProgressLine(std::ostream& out, std::size_t total, Clock::time_point start = Clock::now());

  // Records that `done` pages are finished; redraws when the last drawing is
  // old enough or the run is complete.
  void Update(std::size_t done, Clock::time_point now = Clock::now());
  // Takes the line off the terminal (if it is shown).
  void Clear();
  // Draws the line again after a Clear().
  void Show(Clock::time_point now = Clock::now());

  // The text of the line, without the terminal's control characters.
  static std::string Text(std::size_t done, std::size_t total, double seconds);

 private:
  std::ostream& out_;
  std::size_t total_;
  std::size_t done_ = 0;
  Clock::time_point start_;
  Clock::time_point drawn_{};
  bool shown_ = false;
};

}  // namespace zorvel::cli
