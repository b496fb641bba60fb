// The proofreading loop (proof_suite.h) on the in-memory editor.
#include "core/text/memory_editor.h"

#include <gtest/gtest.h>

#include <memory>

#include "proof_suite.h"

namespace zorvel::test {
namespace {

struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make() { return std::make_unique<MemoryEditor>(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ProofSuite, ::testing::Types<MemoryEditorFactory>);

}  // namespace
}  // namespace zorvel::test
