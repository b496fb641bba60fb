// The shared editor suite on MemoryEditor, and what only MemoryEditor has.
#include "core/text/memory_editor.h"

#include <gtest/gtest.h>

#include "editor_suite.h"

namespace zorvel::test {
namespace {

struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make(std::string_view bytes) {
    return std::make_unique<MemoryEditor>(bytes);
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditorSuite, ::testing::Types<MemoryEditorFactory>);

TEST(MemoryEditorTest, ClipboardIsSharedByAllEditors) {
  MemoryEditor a("\xA4\x40x");
  MemoryEditor b("y");
  a.SelectAll();
  a.Copy();
  EXPECT_EQ(MemoryEditor::Clipboard(), "\xA4\x40x");
  b.SetSelStart(1);
  b.Paste();
  EXPECT_EQ(b.Text(), "y\xA4\x40x");
}

}  // namespace
}  // namespace zorvel::test
