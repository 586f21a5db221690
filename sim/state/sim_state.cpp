#include "state/sim_state.h"

#include <pthread.h>

namespace {

struct Global {
  std::mutex mutex;
  SimState state;
};

// A fork() while another thread is inside the library would leave the
// child with the lock taken forever; taking the lock around fork() avoids
// that. The child also starts with nothing enabled: the holds belong to
// the parent, and its capture files start again at 000001.
void lockBeforeFork();
void unlockInParent();
void resetInChild();

Global& global() {
  // Allocated once and never freed, so the objects it keeps stay reachable
  // until the process ends and nothing runs after its destructors.
  static Global* instance = [] {
    Global* created = new Global;
    pthread_atfork(lockBeforeFork, unlockInParent, resetInChild);
    return created;
  }();
  return *instance;
}

void lockBeforeFork() { global().mutex.lock(); }
void unlockInParent() { global().mutex.unlock(); }

void resetInChild() {
  Global& g = global();
  for (const auto& card : g.state.cards) {
    card->hold.forgetInChild();
    card->endOutput();
  }
  g.state.captureFiles = 0;
  g.mutex.unlock();
}

}  // namespace

void CardRuntime::endOutput() {
  hold.drop();
  wire.reset();
  enabled = false;
  mode = 0;
  enabledBy = 0;
}

StateLock::StateLock() : guard_(global().mutex), state_(global().state) {}

void SimState::noteMisuse(const std::string& what) {
  log.write("MISUSE " + what);
  problems += "MISUSE " + what + "\n";
  ++misuses;
}

bool SimState::faultDue() {
  ++countedCalls;
  return setup.faults.failCall > 0 && countedCalls == setup.faults.failCall;
}
