#pragma once
// The page calibration store: for every page of the one volume held, where the
// page's first character lies on the scan and how far the lines of each
// register are shifted. Each volume keeps its calibration in a small text file
// "VolNNN.vps" in the start folder, one line per calibrated page:
//
//   12, 152, 287, 0, 0, 1
//
// (page, FirstCharX, FirstCharY, UpperShift, MiddleShift, LowerShift).

#include <array>
#include <functional>
#include <set>
#include <string>

#include "core/settings/atomic_file.h"

namespace zorvel {

// The calibration of one page, in full-size page pixels and in lines.
struct PageCalibration {
  int FirstCharX = 0;  // from the right edge of the page leftward to the first column's right edge
  int FirstCharY = 0;  // from the top edge down to the top of the upper register's first character
  int UpperShift = 0;
  int MiddleShift = 0;
  int LowerShift = 0;

  // A page counts as calibrated when the sum of the two distances is not 0.
  bool IsCalibrated() const {
    return static_cast<long long>(FirstCharX) + static_cast<long long>(FirstCharY) != 0;
  }
  friend bool operator==(const PageCalibration&, const PageCalibration&) = default;
};

class CVolShift {
 public:
  // Page slots 0 to Capacity - 1. A page outside that range has no slot: it
  // reads as uncalibrated and writes to it are ignored.
  static constexpr int Capacity = 1500;

  // folder: where the VolNNN.vps files live (the start folder).
  explicit CVolShift(std::string folder);

  // True when the store holds changes that are not in the file yet. Whoever
  // changes a page's values sets it (Set does so).
  bool Dirty = false;

  // How a volume's file is read: ReadWholeFile. A test puts a read that fails
  // here, since a regular file cannot be made unreadable to every user.
  std::function<ReadResult(const std::string& path, std::string& bytes, std::string& error)> ReadFile;

  // The volume held; 0 for none.
  int Volume() const { return volume_; }

  // Volume := 0 and every value of every page := 0; Dirty is left alone.
  void ClearCalibration();

  // Makes the store hold the volume (1 to 999), reading its file when there is
  // one. False, with the store untouched, for a volume out of range; false,
  // with the store empty for that volume, when there is no file or it cannot be
  // read. Dirty is false afterwards in both of these latter cases.
  //
  // A file that exists but cannot be read (permissions, an I/O error) is not an
  // empty calibration: the volume is marked unreadable, and no save of this run
  // overwrites its file. LastLoad tells the cases apart.
  bool LoadCalibration(int volume);

  enum class LoadOutcome { Loaded, NoFile, Unreadable, OutOfRange };
  LoadOutcome LastLoad() const { return lastLoad_; }

  // Writes every calibrated page from 1 up, atomically. False, with Dirty
  // unchanged and the old file intact, when the volume is out of range, its
  // file could not be read in this run, or the file cannot be written; Dirty :=
  // false on success.
  bool SaveCalibration();

  // The system's reason for the last failed load or save (empty when there is
  // none to give, as for a volume out of range).
  const std::string& LastError() const { return lastError_; }

  // True when the volume's file could not be read in this run.
  bool IsUnreadable(int volume) const { return unreadable_.count(volume) != 0; }

  // The values of a page; all 0 for a page without a slot.
  PageCalibration Get(int page) const;
  // Stores the values of a page and sets Dirty. False, changing nothing, for a
  // page without a slot.
  bool Set(int page, const PageCalibration& values);

  static bool HasSlot(int page) { return page >= 0 && page < Capacity; }
  // Volumes are numbered 1 to 999, as the file names' three digits allow.
  static bool HasVolume(int volume) { return volume >= 1 && volume <= 999; }

  // Folder + "/Vol%03d.vps".
  std::string FileName(int volume) const;

 private:
  std::string folder_;
  int volume_ = 0;
  LoadOutcome lastLoad_ = LoadOutcome::NoFile;
  std::string lastError_;
  std::set<int> unreadable_;
  std::array<PageCalibration, Capacity> pages_{};
};

}  // namespace zorvel
