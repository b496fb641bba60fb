// The proofreading loop on the in-memory editor.

#include <memory>

#include "core/text/memory_editor.h"
#include "proof_suite.h"

namespace zorvel::test {
namespace {

struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make() { return std::make_unique<MemoryEditor>(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ProofSuite, ::testing::Types<MemoryEditorFactory>);

}  // namespace
}  // namespace zorvel::test
