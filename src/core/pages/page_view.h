#pragma once
// What the text side needs of the image window. File names are byte strings as
// the page file name template yields them.

#include <string>

namespace zorvel {

class PageView {
 public:
  virtual ~PageView() = default;
  // File name of the page on display; empty before the first load.
  virtual std::string PictureFileName() const = 0;
  // Loads and shows a page: 0 loaded, 2 not loaded (nothing changed).
  virtual int LoadPicture(int volume, int sutra, const std::string& fileName, int page) = 0;
  // Finds the page's top-right first character; true when found or kept.
  virtual bool DetectRightTop() = 0;
  // Draws the marker on register field, line and character, and scrolls to it.
  virtual void ShowPosition(int field, int line, int charIndex) = 0;
  // Redraws the window.
  virtual void FormResize() = 0;
};

}  // namespace zorvel
