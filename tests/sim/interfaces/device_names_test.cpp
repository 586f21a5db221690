// Device names: new copies the caller frees (with free() on Linux,
// CFRelease() on macOS), any bytes through escapes, and the configured
// failures.
#include <cstdint>

#include "decklink/display_name.h"
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class DisplayNameTest : public SimTest {
 protected:
  // The result, and the name (freed here by the program's own code; on
  // Linux AddressSanitizer reports a string that did not come from malloc).
  static HRESULT nameOf(IDeckLink* card, std::string* name, bool* null, bool model = false) {
    DeckLinkString text = reinterpret_cast<DeckLinkString>(uintptr_t{1});  // must be overwritten
    HRESULT result = model ? card->GetModelName(&text) : card->GetDisplayName(&text);
    *null = text == nullptr;
    *name = takeDeckLinkString(text);
    return result;
  }
};

TEST_F(DisplayNameTest, EscapesGiveAnyBytes) {
  configure("[device]\nname = a\\\\b\\tc\\nd\\\"e\\xC3\\xA9\\xFF\\x7f\n");
  IDeckLink* card = device(0);
  std::string name;
  bool null = true;
  EXPECT_EQ(kS_OK, nameOf(card, &name, &null));
  EXPECT_FALSE(null);
  EXPECT_EQ(std::string("a\\b\tc\nd\"e\xC3\xA9\xFF\x7F"), name);
  // The log shows it on one line: valid UTF-8 as it is, other bytes escaped.
  ASSERT_EQ(1u, logLinesWith("GetDisplayName()").size());
  EXPECT_THAT(logLinesWith("GetDisplayName()")[0],
              HasSubstr("GetDisplayName() = 0x00000000 \"a\\\\b\\tc\\nd\\\"e\xC3\xA9\\xFF\\x7F\""));
  card->Release();
}

// A CFString carries text only, so on macOS a name that is not UTF-8
// cannot be handed out: the call fails and hands out no string. (The
// macOS build runs this test instead of EscapesGiveAnyBytes.)
TEST_F(DisplayNameTest, OnMacOSANameThatIsNotUtf8FailsTheCall) {
  configure("[device]\nname = e\\xC3\\xA9\\xFF\nmodel = \\xC3\\xA9\n");
  IDeckLink* card = device(0);
  std::string name;
  bool null = false;
  EXPECT_EQ(kE_FAIL, nameOf(card, &name, &null));
  EXPECT_TRUE(null);
  EXPECT_EQ(1u, logLinesWith("GetDisplayName() = 0x80000008 null not-utf8").size());
  EXPECT_EQ(kS_OK, nameOf(card, &name, &null, true));
  EXPECT_EQ("\xC3\xA9", name);
  card->Release();
}

TEST_F(DisplayNameTest, DefaultsNameCardsByPosition) {
  configure("[device]\n[device]\n");
  std::string name;
  bool null;
  for (int index = 0; index < 2; ++index) {
    IDeckLink* card = device(index);
    EXPECT_EQ(kS_OK, nameOf(card, &name, &null));
    EXPECT_EQ("DeckLink Simulator " + std::to_string(index), name);
    EXPECT_EQ(kS_OK, nameOf(card, &name, &null, true));
    EXPECT_EQ("DeckLink Simulator", name);
    card->Release();
  }
}

TEST_F(DisplayNameTest, ConfiguredFailureGivesNoString) {
  configure("[device]\nname = A\nname_result = E_OUTOFMEMORY\nmodel_result = 0x80000007\n");
  IDeckLink* card = device(0);
  std::string name;
  bool null = false;
  EXPECT_EQ(kE_OUTOFMEMORY, nameOf(card, &name, &null));
  EXPECT_TRUE(null);
  EXPECT_EQ(kE_ABORT, nameOf(card, &name, &null, true));
  EXPECT_TRUE(null);
  card->Release();
}

TEST_F(DisplayNameTest, NameNullSucceedsWithoutAString) {
  configure("[device]\nname = A\nname_null = yes\nmodel_null = yes\n");
  IDeckLink* card = device(0);
  std::string name;
  bool null = false;
  EXPECT_EQ(kS_OK, nameOf(card, &name, &null));
  EXPECT_TRUE(null);
  EXPECT_EQ(kS_OK, nameOf(card, &name, &null, true));
  EXPECT_TRUE(null);
  EXPECT_EQ(1u, logLinesWith("GetDisplayName() = 0x00000000 null").size());
  card->Release();
}

TEST_F(DisplayNameTest, EachCallHandsOutItsOwnCopy) {
  configure("[device]\nname = A\n");
  IDeckLink* card = device(0);
  DeckLinkString first = nullptr;
  DeckLinkString second = nullptr;
  ASSERT_EQ(kS_OK, card->GetDisplayName(&first));
  ASSERT_EQ(kS_OK, card->GetDisplayName(&second));
  EXPECT_NE(first, second);
  EXPECT_EQ("A", takeDeckLinkString(first));
  EXPECT_EQ("A", takeDeckLinkString(second));
  EXPECT_EQ(kE_POINTER, card->GetDisplayName(nullptr));
  card->Release();
}

}  // namespace
