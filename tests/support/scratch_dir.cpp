#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

ScratchDir::ScratchDir() {
  std::string pattern = ::testing::TempDir() + "corvane-test-XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
