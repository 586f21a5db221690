// In-process tests of program code that holds a card (decklink/device_hold.h):
// the simulated card's fixture, plus opening card 0, and closing whatever
// the test left held before the end check.
#ifndef CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H
#define CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H

#include <string>

#include "support/sim_test.h"

class HeldDeviceTest : public SimTest {
 protected:
  // Configures `text` and holds card 0 at `resolution`.
  void configureAndOpen(const std::string& text, const char* resolution);
  void TearDown() override;
};

#endif  // CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H
