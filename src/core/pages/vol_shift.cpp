#include "core/pages/vol_shift.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace zorvel {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void SkipSpace(std::string_view& text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
}

// Reads a decimal integer as formatted input does: leading white space, an
// optional sign, at least one digit. A number beyond 32 bits is not a number.
bool ReadInt(std::string_view& text, int& value) {
  std::string_view rest = text;
  SkipSpace(rest);
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (rest.empty() || rest.front() < '0' || rest.front() > '9') return false;
  std::int64_t v = 0;
  while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
    v = v * 10 + (rest.front() - '0');
    if (v > 2147483648LL) return false;
    rest.remove_prefix(1);
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<int>(v);
  text = rest;
  return true;
}

// Reads one line against "%d , %d , %d , %d , %d , %d": each value is stored as
// soon as it is read, and reading stops at the first one that is not there.
void ReadLine(std::string_view line, PageCalibration& page) {
  int* targets[] = {&page.FirstCharX, &page.FirstCharY, &page.UpperShift, &page.MiddleShift,
                    &page.LowerShift};
  int pageNumber;
  if (!ReadInt(line, pageNumber)) return;
  for (int* target : targets) {
    SkipSpace(line);
    if (line.empty() || line.front() != ',') return;
    line.remove_prefix(1);
    if (!ReadInt(line, *target)) return;
  }
}

}  // namespace

CVolShift::CVolShift(std::string folder)
    : ReadFile([](const std::string& path, std::string& bytes, std::string& error) {
        return ReadWholeFile(path, bytes, error);
      }),
      folder_(std::move(folder)) {}

std::string CVolShift::FileName(int volume) const {
  char name[32];
  std::snprintf(name, sizeof name, "Vol%03d.vps", volume);
  if (folder_.empty()) return name;
  if (folder_.back() == '/') return folder_ + name;
  return folder_ + "/" + name;
}

void CVolShift::ClearCalibration() {
  volume_ = 0;
  pages_.fill(PageCalibration{});
}

bool CVolShift::LoadCalibration(int volume) {
  lastError_.clear();
  if (!HasVolume(volume)) {
    lastLoad_ = LoadOutcome::OutOfRange;
    return false;
  }
  ClearCalibration();
  Dirty = false;
  volume_ = volume;

  std::string bytes;
  switch (ReadFile(FileName(volume), bytes, lastError_)) {
    case ReadResult::Missing:
      // No calibration yet; saving will create the file.
      lastError_.clear();
      lastLoad_ = LoadOutcome::NoFile;
      return false;
    case ReadResult::Failed:
      unreadable_.insert(volume);
      lastLoad_ = LoadOutcome::Unreadable;
      return false;
    case ReadResult::Ok:
      break;
  }
  lastLoad_ = LoadOutcome::Loaded;
  std::string_view text = bytes;
  while (!text.empty()) {
    std::string_view::size_type end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    std::string_view probe = line;
    int page;
    // A line that does not begin with a number, or names a page without a
    // slot, changes nothing.
    if (!ReadInt(probe, page) || !HasSlot(page)) continue;
    ReadLine(line, pages_[static_cast<std::size_t>(page)]);
  }
  return true;
}

bool CVolShift::SaveCalibration() {
  lastError_.clear();
  if (!HasVolume(volume_)) return false;
  if (IsUnreadable(volume_)) {
    // What is on disk was never read: writing would lose it.
    lastError_ = "此檔在這次執行中無法讀取, 為免資料遺失, 不予覆寫";
    return false;
  }
  std::string text;
  // Page 0 is never written.
  for (int p = 1; p < Capacity; ++p) {
    const PageCalibration& page = pages_[static_cast<std::size_t>(p)];
    if (!page.IsCalibrated()) continue;
    char line[96];
    std::snprintf(line, sizeof line, "%d, %d, %d, %d, %d, %d\r\n", p, page.FirstCharX, page.FirstCharY,
                  page.UpperShift, page.MiddleShift, page.LowerShift);
    text += line;
  }
  if (!WriteFileAtomically(FileName(volume_), text, lastError_)) return false;
  Dirty = false;
  return true;
}

PageCalibration CVolShift::Get(int page) const {
  if (!HasSlot(page)) return {};
  return pages_[static_cast<std::size_t>(page)];
}

bool CVolShift::Set(int page, const PageCalibration& values) {
  if (!HasSlot(page)) return false;
  pages_[static_cast<std::size_t>(page)] = values;
  Dirty = true;
  return true;
}

}  // namespace zorvel
