#include "core/pages/right_top.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zorvel {

namespace {

constexpr int kProbes = 10;
constexpr int kProbeStep = 20;
constexpr int kTopDepth = 200;    // rows searched for the top border
constexpr int kRightDepth = 300;  // columns searched for the right border
constexpr int kMaxSpread = 6;

using Samples = std::array<int, kProbes>;

// Sorts the samples; true when the middle six lie within kMaxSpread and each
// of them met ink (none is noBorder, the value of a probe that ran to its
// limit), and then their truncated mean. A page without a border line, or with
// it beyond the probes' reach, has no corner to report.
bool MiddleMean(Samples& samples, int noBorder, int& mean) {
  std::sort(samples.begin(), samples.end());
  if (samples[7] - samples[2] > kMaxSpread) return false;
  for (int i = 2; i <= 7; ++i) {
    if (samples[i] == noBorder) return false;
  }
  long long sum = 0;
  for (int i = 2; i <= 7; ++i) sum += samples[i];
  mean = static_cast<int>(sum / 6);
  return true;
}

int Clamp(long long v) {
  constexpr long long lo = std::numeric_limits<int>::min();
  constexpr long long hi = std::numeric_limits<int>::max();
  return static_cast<int>(v < lo ? lo : v > hi ? hi : v);
}

}  // namespace

RightTopResult FindRightTop(const DecodedPage& page, int rightTopX, int rightTopY) {
  const int w = page.Width;
  const int h = page.Height;

  Samples top;
  for (int i = 0; i < kProbes; ++i) {
    const int x = w / 2 + kProbeStep * i;
    int y = 0;
    while (y < kTopDepth && !page.IsBlack(x, y)) ++y;
    top[i] = y;
  }
  int avgY;
  if (!MiddleMean(top, kTopDepth, avgY)) return {};

  Samples right;
  for (int i = 0; i < kProbes; ++i) {
    const int y = h / 2 + kProbeStep * i;
    int x = w - 1;
    while (x > w - kRightDepth && !page.IsBlack(x, y)) --x;
    right[i] = x;
  }
  int avgX;
  if (!MiddleMean(right, w - kRightDepth, avgX)) return {};

  RightTopResult result;
  result.Found = true;
  result.FirstCharX = Clamp(static_cast<long long>(w) - avgX + rightTopX);
  result.FirstCharY = Clamp(static_cast<long long>(avgY) + rightTopY);
  return result;
}

bool DetectRightTop(const DecodedPage& page, const Settings& settings, CVolShift& store, int pageNumber) {
  if (!CVolShift::HasSlot(pageNumber)) return false;
  PageCalibration values = store.Get(pageNumber);
  if (!settings.CoverRightTop && values.IsCalibrated()) return true;
  RightTopResult corner = FindRightTop(page, settings.RightTopX, settings.RightTopY);
  if (!corner.Found) return false;
  values.FirstCharX = corner.FirstCharX;
  values.FirstCharY = corner.FirstCharY;
  store.Set(pageNumber, values);
  return true;
}

}  // namespace zorvel
