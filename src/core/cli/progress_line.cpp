#include "core/cli/progress_line.h"

#include <cstdio>

namespace zorvel::cli {

namespace {

constexpr auto kRedraw = std::chrono::milliseconds(200);

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, std::size_t total, Clock::time_point start)
    : out_(out), total_(total), start_(start) {}

std::string ProgressLine::Text(std::size_t done, std::size_t total, double seconds) {
  char rate[32] = "-";
  if (seconds > 0 && done > 0) std::snprintf(rate, sizeof rate, "%.1f", static_cast<double>(done) / seconds);
  return std::to_string(done) + "/" + std::to_string(total) + " pages, " + rate + " pages/s";
}

void ProgressLine::Update(std::size_t done, Clock::time_point now) {
  done_ = done;
  if (!shown_ || done_ == total_ || now - drawn_ >= kRedraw) Show(now);
}

void ProgressLine::Show(Clock::time_point now) {
  const double seconds = std::chrono::duration<double>(now - start_).count();
  // Carriage return, the text, and erase to the end of the line.
  out_ << '\r' << Text(done_, total_, seconds) << "\x1b[K";
  out_.flush();
  drawn_ = now;
  shown_ = true;
}

void ProgressLine::Clear() {
  if (!shown_) return;
  out_ << "\r\x1b[K";
  out_.flush();
  shown_ = false;
}

}  // namespace zorvel::cli
