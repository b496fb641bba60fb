#pragma once
// The image window's side of a command, as a log of calls: "Load volume sutra
// page", "NotShown volume sutra page", "DetectRightTop", "Show field line
// character" and "FormResize".

#include <set>
#include <string>
#include <vector>

#include "core/pages/page_view.h"

namespace zorvel::test {

class RecordingPageView : public PageView {
 public:
  std::vector<std::string> Calls;
  std::string Shown;                             // PictureFileName
  PictureLoad LoadResult = PictureLoad::Loaded;  // what LoadPicture answers for pages not listed below
  std::set<int> BadPages, KeptPages;             // NotLoaded, and Cancelled (calibration kept)
  std::set<int> LostCorners;                     // pages whose corner is not found
  bool RightTopFound = true;
  int Page = 0;

  std::string PictureFileName() const override { return Shown; }
  PictureLoad LoadPicture(int volume, int sutra, const std::string& fileName, int page) override {
    Calls.push_back("Load " + Numbers(volume, sutra, page));
    const PictureLoad result = BadPages.count(page)    ? PictureLoad::NotLoaded
                               : KeptPages.count(page) ? PictureLoad::Cancelled
                                                       : LoadResult;
    if (result == PictureLoad::Loaded) Shown = fileName, Page = page;
    return result;
  }
  std::string LoadFailure() const override { return "不是 TIFF 檔"; }
  void ShowPageNotShown(int volume, int sutra, int page, const std::string&) override {
    Calls.push_back("NotShown " + Numbers(volume, sutra, page));
  }
  bool DetectRightTop() override {
    Calls.push_back("DetectRightTop");
    return RightTopFound && !LostCorners.count(Page);
  }
  void ShowPosition(int field, int line, int charIndex) override {
    Calls.push_back("Show " + Numbers(field, line, charIndex));
  }
  void FormResize() override { Calls.push_back("FormResize"); }

  static std::string Numbers(int a, int b, int c) {
    return std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c);
  }
};

}  // namespace zorvel::test
