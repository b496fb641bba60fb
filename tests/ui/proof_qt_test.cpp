// The proofreading loop on the text window's Qt editor: the same suite as on
// the in-memory editor, so that both give the same positions and results.

#include <memory>

#include "core/proof/proof_suite.h"
#include "ui/text/qt_text_editor.h"

namespace zorvel::test {
namespace {

struct QtEditorFactory {
  static std::unique_ptr<TextEditor> Make() {
    auto editor = std::make_unique<QtTextEditor>();
    // A small visible view, so that the scroll rules have something to scroll.
    editor->resize(320, 200);
    editor->show();
    return editor;
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(QtEditor, ProofSuite, ::testing::Types<QtEditorFactory>);

}  // namespace
}  // namespace zorvel::test
