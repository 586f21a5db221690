#include "support/held_device_test.h"

#include "decklink/device_hold.h"

void HeldDeviceTest::configureAndOpen(const std::string& text, const char* resolution) {
  configure(text);
  if (HasFatalFailure()) return;
  std::string message;
  ASSERT_EQ("", openDevice(0, resolution, &message)) << message;
}

void HeldDeviceTest::TearDown() {
  closeDevice();
  SimTest::TearDown();
}
