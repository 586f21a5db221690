// Runs as a process of its own, started by CTest with the DECKLINK_SIM_*
// variables set: the environment is read at the first use of the entry
// point, with no control function called before.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "decklink/display_name.h"
#include "support/card_calls.h"

namespace {

TEST(LazyEnvironmentTest, TheFirstEntryPointCallReadsTheEnvironment) {
  const char* logPath = std::getenv("DECKLINK_SIM_LOG");
  ASSERT_NE(nullptr, logPath);
  std::remove(logPath);

  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  ASSERT_NE(nullptr, iterator);
  IDeckLink* card = nullptr;
  ASSERT_EQ(kS_OK, iterator->Next(&card));
  DeckLinkString name = nullptr;
  ASSERT_EQ(kS_OK, card->GetDisplayName(&name));
  EXPECT_EQ("Env Card", takeDeckLinkString(name));
  card->Release();
  IDeckLink* none = nullptr;
  EXPECT_EQ(kS_FALSE, iterator->Next(&none));
  iterator->Release();

  // The log file holds this process's lines from the first call on.
  std::ifstream log(logPath);
  std::string first;
  ASSERT_TRUE(std::getline(log, first));
  EXPECT_EQ(std::to_string(getpid()) + " API CreateDeckLinkIteratorInstance() = Iterator#1",
            first);
}

}  // namespace
