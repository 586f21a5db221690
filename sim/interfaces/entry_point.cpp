// The driver's factory, the one name the program looks up in the library.
#include "interfaces/iterator.h"
#include "setup/apply_setup.h"
#include "state/sim_state.h"

extern "C" IDeckLinkIterator* CreateDeckLinkIteratorInstance_0004(void) {
  StateLock lock;
  SimState& state = lock.state();
  ensureSetup(state);
  if (state.setup.iterator.entryPointNull) {
    state.log.write("API CreateDeckLinkIteratorInstance() = null");
    return nullptr;
  }
  SimIterator* iterator = createObject<SimIterator>(state, state.cards, state.setup.iterator);
  state.log.write("API CreateDeckLinkIteratorInstance() = " + iterator->label());
  return iterator;
}
