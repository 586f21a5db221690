// The bookkeeping every simulated object carries: its kind and process-wide
// id (which name it in the log), its reference count, and the configure
// generation it was handed out in.
//
// Objects are never deleted. One whose count reaches zero frees what it
// holds (pixel memory) and stays behind as a zombie in the registry, so a
// late Release or a call through a stale pointer is caught and reported
// instead of touching freed memory, and LeakSanitizer sees every object
// reachable.
#ifndef DECKLINK_SIM_ACCOUNTING_COUNTED_OBJECT_H
#define DECKLINK_SIM_ACCOUNTING_COUNTED_OBJECT_H

#include <cstdint>
#include <string>

#include "decklink/decklink_api.h"

struct SimState;
class CountedObject;

// What QueryInterface found: the object whose reference is handed out
// (this one, or a new one) and the interface pointer for the caller.
struct QueryAnswer {
  CountedObject* object = nullptr;  // null: no such interface
  void* interface = nullptr;
};

class CountedObject {
 public:
  explicit CountedObject(const char* kind) : kind_(kind) {}

  const char* kind() const { return kind_; }
  uint64_t id() const { return id_; }
  uint64_t epoch() const { return epoch_; }
  unsigned long count() const { return count_; }
  bool released() const { return count_ == 0; }
  // "Frame#5", as the log names the object.
  std::string label() const;

  // Called by the registry when the object is handed out for the first time.
  void adopt(uint64_t id, uint64_t epoch) {
    id_ = id;
    epoch_ = epoch;
    count_ = 1;
  }
  void addReference() { ++count_; }
  void dropReference() { --count_; }

  // The interface `iid` names, if the object offers it. Runs with the state
  // locked; may create a new object.
  virtual QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) = 0;
  // Frees what the object holds, at the Release that takes its count to
  // zero. Returns a note for that Release's log line, or "".
  virtual std::string finalRelease(SimState& state);

  // Called only by the registry's owner once a zombie is retired.
  virtual ~CountedObject() = default;

 private:
  const char* kind_;
  uint64_t id_ = 0;
  uint64_t epoch_ = 0;
  unsigned long count_ = 0;
};

// QueryInterface, AddRef and Release for every simulated object: they
// lock the state, keep the accounting and write the log line.
HRESULT simQueryInterface(CountedObject& object, const DeckLinkIID& iid, void** out);
ULONG simAddRef(CountedObject& object);
ULONG simRelease(CountedObject& object);

// A simulated object implementing `Interface`; the concrete classes add the
// interface's own methods.
template <class Interface>
class SimObject : public Interface, public CountedObject {
 public:
  explicit SimObject(const char* kind) : CountedObject(kind) {}

  HRESULT QueryInterface(REFIID iid, LPVOID* ppv) override {
    return simQueryInterface(*this, iid, ppv);
  }
  ULONG AddRef() override { return simAddRef(*this); }
  ULONG Release() override { return simRelease(*this); }

 protected:
  // The answer for an IID naming this object itself.
  QueryAnswer itself() { return QueryAnswer{this, static_cast<Interface*>(this)}; }
};

#endif  // DECKLINK_SIM_ACCOUNTING_COUNTED_OBJECT_H
