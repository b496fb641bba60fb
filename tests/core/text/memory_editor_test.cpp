// The shared editor suite on MemoryEditor, and what only MemoryEditor has.
#include "core/text/memory_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editor_suite.h"

namespace zorvel::test {
namespace {

struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make(std::string_view bytes) {
    return std::make_unique<MemoryEditor>(bytes);
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditorSuite, ::testing::Types<MemoryEditorFactory>);

TEST(MemoryEditorTest, ClipboardIsSharedOnlyWhenGiven) {
  auto shared = std::make_shared<std::string>();
  MemoryEditor a("\xA4\x40x", shared);
  MemoryEditor b("y", shared);
  MemoryEditor own("z");
  a.SelectAll();
  a.Copy();
  EXPECT_EQ(*shared, "\xA4\x40x");
  b.SetSelStart(1);
  b.Paste();
  EXPECT_EQ(b.Text(), "y\xA4\x40x");
  // An editor of its own sees nothing of the others' copies.
  EXPECT_EQ(own.Clipboard(), "");
  own.Paste();
  EXPECT_EQ(own.Text(), "z");
}

}  // namespace
}  // namespace zorvel::test
