// The vtable slot of each method the program calls on the interfaces it
// declares for HDR signalling and the driver's version, against the driver's order: a slot off by
// one would call the wrong method on a real card, which the simulated card,
// built from the same declarations, could never show.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "decklink/decklink_api.h"

namespace {

// The Itanium C++ ABI stores a pointer to a virtual member function as one
// plus the method's byte offset in the vtable.
template <class Method>
long slotOf(Method method) {
  static_assert(sizeof(Method) == 2 * sizeof(ptrdiff_t), "Itanium member pointer");
  ptrdiff_t words[2];
  std::memcpy(words, &method, sizeof words);
  return static_cast<long>((words[0] - 1) / static_cast<ptrdiff_t>(sizeof(void*)));
}

TEST(InterfaceSlots, ProfileAttributesAfterIUnknown) {
  EXPECT_EQ(3, slotOf(&IDeckLinkProfileAttributes::GetFlag));
  EXPECT_EQ(4, slotOf(&IDeckLinkProfileAttributes::GetInt));
  EXPECT_EQ(7, slotOf(&IDeckLinkProfileAttributes::GetStringWithParam));
}

TEST(InterfaceSlots, MutableMetadataSettersStartAfterTheBasesDestructorPair) {
  EXPECT_EQ(3, slotOf(&IDeckLinkVideoFrameMetadataExtensions::GetInt));
  EXPECT_EQ(7, slotOf(&IDeckLinkVideoFrameMetadataExtensions::GetBytes));
  EXPECT_EQ(10, slotOf(&IDeckLinkVideoFrameMutableMetadataExtensions::SetInt));
  EXPECT_EQ(11, slotOf(&IDeckLinkVideoFrameMutableMetadataExtensions::SetFloat));
  EXPECT_EQ(14, slotOf(&IDeckLinkVideoFrameMutableMetadataExtensions::SetBytes));
}

TEST(InterfaceSlots, ApiInformationAfterIUnknown) {
  EXPECT_EQ(4, slotOf(&IDeckLinkAPIInformation::GetInt));
  EXPECT_EQ(6, slotOf(&IDeckLinkAPIInformation::GetString));
}

TEST(InterfaceSlots, FrameFlagsAroundTheDestructorPair) {
  EXPECT_EQ(7, slotOf(&IDeckLinkVideoFrame::GetFlags));
  EXPECT_EQ(12, slotOf(&IDeckLinkMutableVideoFrame::SetFlags));
}

}  // namespace
