// The entry point and the iterator: cards in configuration order, and the
// iterator's faults.
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

class EnumerationTest : public SimTest {
 protected:
  // Calls Next until it stops succeeding with a card; returns what each call
  // gave: the card's name, "null" for success without a card, or the result
  // of the call that ended the walk.
  static std::vector<std::string> walk(IDeckLinkIterator* iterator) {
    std::vector<std::string> seen;
    for (int calls = 0; calls < 10; ++calls) {
      IDeckLink* card = reinterpret_cast<IDeckLink*>(0x1);  // must be overwritten
      HRESULT result = iterator->Next(&card);
      if (result == kS_OK && card == nullptr) {
        seen.push_back("null");
        continue;
      }
      if (result != kS_OK) {
        EXPECT_EQ(nullptr, card);
        seen.push_back("result " + std::to_string(static_cast<unsigned>(result)));
        break;
      }
      seen.push_back(displayNameOf(card));
      card->Release();
    }
    return seen;
  }

  std::vector<std::string> walkNew() {
    IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
    EXPECT_NE(nullptr, iterator);
    if (iterator == nullptr) return {};
    std::vector<std::string> seen = walk(iterator);
    iterator->Release();
    return seen;
  }

  static constexpr const char* kThreeCards =
      "[device]\nname = A\n[device]\nname = B\n[device]\nname = C\n";
  const std::string kEnd = "result 1";  // S_FALSE
  const std::string kFail = "result 2147483656";  // E_FAIL
};

TEST_F(EnumerationTest, HandsOutCardsInConfigurationOrderThenSFalse) {
  configure(kThreeCards);
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C", kEnd}), walkNew());
  // Each iterator starts again from the first card.
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C", kEnd}), walkNew());
}

TEST_F(EnumerationTest, NoDeviceSectionsMeansNoCard) {
  configure("[iterator]\n");
  EXPECT_EQ((std::vector<std::string>{kEnd}), walkNew());
}

TEST_F(EnumerationTest, FailAfterFailsEveryCallOnceThatManyCardsWereHandedOut) {
  configure(std::string("[iterator]\nfail_after = 2\n") + kThreeCards);
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  EXPECT_EQ((std::vector<std::string>{"A", "B", kFail}), walk(iterator));
  EXPECT_EQ((std::vector<std::string>{kFail}), walk(iterator));
  iterator->Release();

  configure(std::string("[iterator]\nfail_after = 0\nfail_result = E_UNEXPECTED\n") +
            kThreeCards);
  EXPECT_EQ((std::vector<std::string>{"result 2147549183"}), walkNew());
}

TEST_F(EnumerationTest, NullAtSkipsThatCardWithASuccessWithoutADevice) {
  configure(std::string("[iterator]\nnull_at = 1\n") + kThreeCards);
  EXPECT_EQ((std::vector<std::string>{"A", "null", "C", kEnd}), walkNew());
  configure(std::string("[iterator]\nnull_at = 0\n") + kThreeCards);
  EXPECT_EQ((std::vector<std::string>{"null", "B", "C", kEnd}), walkNew());
  EXPECT_EQ(1u, logLinesWith("Next() = 0x00000000 null").size());
}

TEST_F(EnumerationTest, EntryPointCanReturnNull) {
  configure(std::string("[iterator]\nentry_point = null\n") + kThreeCards);
  EXPECT_EQ(nullptr, CreateDeckLinkIteratorInstance_0004());
  EXPECT_EQ((std::vector<std::string>{"API CreateDeckLinkIteratorInstance() = null"}),
            logLines());
  EXPECT_EQ(0, decklink_sim_live_objects());
}

TEST_F(EnumerationTest, ApiInformationAnswersTheConfiguredVersion) {
  for (const char* text : {"", "[api]\nversion = 12.4.1\n"}) {
    configure(text);
    IDeckLinkAPIInformation* information = CreateDeckLinkAPIInformationInstance_0001();
    ASSERT_NE(nullptr, information);
    int64_t version = 0;
    EXPECT_EQ(kS_OK, information->GetInt(BMDDeckLinkAPIVersion, &version));
    EXPECT_EQ(*text == '\0' ? 0x10000000 : 0x0C040100, version);
    EXPECT_EQ(kE_NOTIMPL, information->GetInt(fourCC("vers") + 1, &version));
    EXPECT_EQ(0, information->Release());
  }
  // Logged and counted like every object (the log of the last configure).
  EXPECT_EQ(4u, logLines().size());
  EXPECT_EQ(1u, logLinesWith("API CreateDeckLinkAPIInformationInstance() = Information#").size());
  EXPECT_EQ(1u, logLinesWith(" GetInt(vers) = 0x00000000 0x0C040100").size());
  EXPECT_EQ(1u, logLinesWith(" Release() = 0").size());
  EXPECT_EQ(0, decklink_sim_live_objects());
}

TEST_F(EnumerationTest, NextWithoutAPlaceForTheCardIsEPointer) {
  configure(kThreeCards);
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  EXPECT_EQ(kE_POINTER, iterator->Next(nullptr));
  // The refused call did not use up a card.
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C", kEnd}), walk(iterator));
  iterator->Release();
}

TEST_F(EnumerationTest, CardsAreNewObjectsEachTime) {
  configure(kThreeCards);
  IDeckLink* first = device(0);
  IDeckLink* again = device(0);
  EXPECT_NE(first, again);
  EXPECT_EQ(2, decklink_sim_live_objects());
  first->Release();
  again->Release();
}

}  // namespace
