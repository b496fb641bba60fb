#pragma once
// What the text side needs of the image window. File names are byte strings as
// the page file name template yields them.

#include <string>

namespace zorvel {

// What LoadPicture returns (the numbers are those the window has always used).
enum class PictureLoad : int {
  Loaded = 0,
  NotLoaded = 2,  // the file does not decode; nothing changed
  Cancelled = 3,  // the operator kept unsaved calibration; nothing changed, and told
};

class PageView {
 public:
  virtual ~PageView() = default;
  // File name of the page on display; empty before the first load.
  virtual std::string PictureFileName() const = 0;
  // Loads and shows a page.
  virtual PictureLoad LoadPicture(int volume, int sutra, const std::string& fileName, int page) = 0;
  // Why the last LoadPicture that returned NotLoaded failed, in words (UTF-8).
  virtual std::string LoadFailure() const { return {}; }
  // Stands on a page that cannot be shown: no picture, no marker, and a
  // caption that names the page as not shown. The page's numbers become those
  // of the window, so that the previous and next page commands step from it.
  virtual void ShowPageNotShown(int /*volume*/, int /*sutra*/, int /*page*/,
                                const std::string& /*fileName*/) {}
  // Finds the page's top-right first character; true when found or kept.
  virtual bool DetectRightTop() = 0;
  // Draws the marker on register field, line and character, and scrolls to it.
  virtual void ShowPosition(int field, int line, int charIndex) = 0;
  // Redraws the window.
  virtual void FormResize() = 0;
};

}  // namespace zorvel
