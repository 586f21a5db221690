// One call on a simulated object, from its start to its log line.
//
// The constructor applies what every HRESULT method shares: a call on an
// object already released to zero is a misuse and is refused with E_FAIL,
// and the call [faults] fail_call names is refused with the configured
// result. A refused call is logged at once; the method then only clears
// its out-parameters and returns refusal().
#ifndef DECKLINK_SIM_ACCOUNTING_CALL_RECORD_H
#define DECKLINK_SIM_ACCOUNTING_CALL_RECORD_H

#include <string>

#include "state/sim_state.h"

class CallRecord {
 public:
  // QueryInterface does not count toward fail_call, so a test can fail
  // every other call in turn without breaking the way to it.
  enum class Counting { kCounted, kNotCounted };

  // `args` is the text between the parentheses of the log line.
  CallRecord(SimState& state, const CountedObject& self, const char* method,
             const std::string& args, Counting counting = Counting::kCounted);

  bool refused() const { return refused_; }
  HRESULT refusal() const { return refusal_; }

  // Logs "MISUSE <call>: <what>" and counts it.
  void misuse(const std::string& what);
  // Logs "<call> = <result>[ <outputs>]" and returns `result`.
  HRESULT finish(HRESULT result, const std::string& outputs = std::string());

  SimState& state;

 private:
  std::string call_;
  bool refused_ = false;
  HRESULT refusal_ = kS_OK;
};

// The log line of a call that returns a value rather than a result
// (GetWidth and the like): "<object> <method>() = <value>", after a misuse
// line when the object is already released.
void logValueCall(SimState& state, const CountedObject& self, const char* method,
                  const std::string& value);

// A whole call the card does not simulate: logged and counted for fail_call
// like any other, then answered with E_NOTIMPL. Takes the state lock.
HRESULT notSimulatedCall(const CountedObject& self, const char* method,
                         const std::string& args = std::string());

#endif  // DECKLINK_SIM_ACCOUNTING_CALL_RECORD_H
