// The names the program gives DeckLink result codes in its messages.
#include <gtest/gtest.h>

#include "decklink/hresult_name.h"

namespace {

TEST(HresultName, NamesEveryKnownCodeAndNothingElse) {
  const struct {
    uint32_t value;
    const char* name;
  } names[] = {
      {0x00000001, "S_FALSE"},
      {0x80000001, "E_NOTIMPL"},
      {0x80000002, "E_OUTOFMEMORY"},
      {0x80000003, "E_INVALIDARG (mode or pixel format not valid here)"},
      {0x80000004, "E_NOINTERFACE"},
      {0x80000005, "E_POINTER"},
      {0x80000006, "E_HANDLE"},
      {0x80000007, "E_ABORT"},
      {0x80000008, "E_FAIL"},
      {0x80000009, "E_ACCESSDENIED (device already in use)"},
      {0x8000FFFF, "E_UNEXPECTED"},
      {0x00000000, "unknown"},
      {0x8000000A, "unknown"},
      {0x80004005, "unknown"},
      {0xFFFFFFFF, "unknown"},
  };
  for (const auto& entry : names) {
    EXPECT_STREQ(entry.name, hresultName(static_cast<HRESULT>(entry.value))) << entry.value;
  }
}

}  // namespace
