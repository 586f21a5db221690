// The loader with the simulated card linked: it finds the library at the
// first factory call, and passes on what the entry point returns.
#include "decklink/loader.h"
#include "support/sim_test.h"

namespace {

class LoaderPresentTest : public SimTest {};

// Runs first in its own executable: nothing has called a factory yet.
TEST_F(LoaderPresentTest, FindsTheLibraryOnFirstUseOnly) {
  EXPECT_FALSE(IsDeckLinkAPIPresent());
  configure("[device]\nname = A\n");
  EXPECT_FALSE(IsDeckLinkAPIPresent());
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance();
  ASSERT_NE(nullptr, iterator);
  EXPECT_TRUE(IsDeckLinkAPIPresent());
  iterator->Release();
  // The simulated card exports the iterator's and the API information's
  // entry points only.
  IDeckLinkAPIInformation* information = CreateDeckLinkAPIInformationInstance();
  ASSERT_NE(nullptr, information);
  information->Release();
  EXPECT_EQ(nullptr, CreateVideoConversionInstance());
  EXPECT_EQ(nullptr, CreateCocoaScreenPreview(nullptr));
  // The streaming library is separate, and missing here.
  EXPECT_EQ(nullptr, CreateBMDStreamingDiscoveryInstance());
  EXPECT_TRUE(IsDeckLinkAPIPresent());
}

TEST_F(LoaderPresentTest, AnEntryPointReturningNullIsPassedOn) {
  configure("[iterator]\nentry_point = null\n");
  EXPECT_EQ(nullptr, CreateDeckLinkIteratorInstance());
  EXPECT_TRUE(IsDeckLinkAPIPresent());
}

}  // namespace
