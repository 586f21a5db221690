// Runs with CORVANE_DECKLINK_API naming a library that does not exist, so no
// API is found whatever driver the machine has, and counts the loader's
// dlopen calls (the executable is linked with --wrap=dlopen).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "decklink/enumerate.h"
#include "decklink/loader.h"

namespace {
int gDeckLinkOpens = 0;
int gStreamingOpens = 0;
}  // namespace

extern "C" void* __real_dlopen(const char* file, int mode);
extern "C" void* __wrap_dlopen(const char* file, int mode) {
  if (file != nullptr && std::strstr(file, "libDeckLinkAPI.so") != nullptr) ++gDeckLinkOpens;
  if (file != nullptr && std::strstr(file, "Streaming") != nullptr) ++gStreamingOpens;
  return __real_dlopen(file, mode);
}

namespace {

TEST(LoaderMissing, EveryFactoryIsNullAndTheLibraryIsLookedForOnce) {
  EXPECT_FALSE(IsDeckLinkAPIPresent());
  EXPECT_EQ(0, gDeckLinkOpens);  // nothing is loaded at start
  for (int i = 0; i < 3; ++i) EXPECT_EQ(nullptr, CreateDeckLinkIteratorInstance());
  EXPECT_EQ(nullptr, CreateDeckLinkAPIInformationInstance());
  EXPECT_EQ(nullptr, CreateOpenGLScreenPreviewHelper());
  EXPECT_EQ(nullptr, CreateOpenGL3ScreenPreviewHelper());
  EXPECT_EQ(nullptr, CreateMetalScreenPreviewHelper());
  EXPECT_EQ(nullptr, CreateCocoaScreenPreview(nullptr));
  EXPECT_EQ(nullptr, CreateVideoConversionInstance());
  EXPECT_EQ(nullptr, CreateDeckLinkDiscoveryInstance());
  EXPECT_EQ(nullptr, CreateVideoFrameAncillaryPacketsInstance());
  EXPECT_EQ(1, gDeckLinkOpens);
  EXPECT_EQ(0, gStreamingOpens);  // a DeckLink factory never loads the streaming library
  EXPECT_FALSE(IsDeckLinkAPIPresent());

  std::vector<DeviceInfo> devices;
  EXPECT_FALSE(enumerate(&devices));
  EXPECT_TRUE(devices.empty());
  EXPECT_EQ(1, gDeckLinkOpens);

  EXPECT_EQ(nullptr, CreateBMDStreamingDiscoveryInstance());
  EXPECT_EQ(nullptr, CreateBMDStreamingH264NALParser());
  EXPECT_EQ(1, gStreamingOpens);
  EXPECT_EQ(1, gDeckLinkOpens);
}

}  // namespace

namespace {

// Runs in a process of its own, like every test here.
TEST(LoaderMissing, StreamingFactoriesNeverLoadTheDeckLinkLibrary) {
  EXPECT_EQ(nullptr, CreateBMDStreamingH264NALParser());
  EXPECT_EQ(nullptr, CreateBMDStreamingDiscoveryInstance());
  EXPECT_EQ(1, gStreamingOpens);
  EXPECT_EQ(0, gDeckLinkOpens);
  EXPECT_FALSE(IsDeckLinkAPIPresent());
}

}  // namespace
