// Folding SDL key codes into the 256 entries of the key-state table (tests/tables/keys.tsv).
#include <gtest/gtest.h>

#include "engine/core/BaseEngine.h"
#include "support/TestSupport.h"

TEST(EngineKeys, KeyCodeToIndexTable) {
  for (const auto& row : testsupport::Table("keys.tsv", 2))
    EXPECT_EQ(BaseEngine::KeyCodeToIndex(std::stoi(row[0])), std::stoi(row[1])) << "key " << row[0];
}
