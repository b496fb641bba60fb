#pragma once
// The 24 MB canon-sized text, made once, and the text window's editor holding
// it (offscreen), shared by the benchmarks that work on a whole canon.

#include <string>

#include "support/canon_text.h"
#include "ui/text/qt_text_editor.h"

namespace zorvel::bench {

inline const std::string& LargeText() {
  static const std::string text = zorvel::test::MakeLargeCanonText();
  return text;
}

inline QtTextEditor& LoadedEditor() {
  static QtTextEditor* editor = [] {
    auto* e = new QtTextEditor;
    e->resize(800, 600);
    e->show();
    e->SetText(LargeText());
    return e;
  }();
  return *editor;
}

}  // namespace zorvel::bench
