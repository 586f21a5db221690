#include "support/held_device_test.h"

#include "decklink/device_hold.h"

std::string codeOf(const Failure& failed, std::string* message) {
  *message = failed.message;
  return failureCodeName(failed.code);
}

void HeldDeviceTest::configureAndOpen(const std::string& text, const char* modeName) {
  configure(text);
  if (HasFatalFailure()) return;
  ASSERT_EQ("", openDevice(0, modeName).text());
}

void HeldDeviceTest::TearDown() {
  closeDevice();
  SimTest::TearDown();
}
