// The one shape of a failure in the program: a code, which callers compare
// as a value, and a message for a person. The codes' names are the words
// hosts read in serve's answers ("no_device"), and the console and the
// command line print them in parentheses after the message.
#ifndef CORVANE_DECKLINK_FAILURE_H
#define CORVANE_DECKLINK_FAILURE_H

#include <string>

#include "decklink/decklink_api.h"

enum class FailureCode {
  kNone,         // no failure
  kBadRequest,   // the request, command line or host input cannot be read or is out of range
  kNoApi,        // no DeckLink driver
  kNotOpen,      // nothing is held
  kNoDevice,     // no device at that index
  kNoOutput,     // the device has no output interface
  kNoInput,      // the device has no input interface
  kUnsupported,  // the device (or corvane) cannot do what was asked
  kInUse,        // another process holds the device
  kFailed,       // the driver or the system refused a step
};

// "bad_request", "no_api", "not_open", "no_device", "no_output", "no_input",
// "unsupported", "in_use", "failed"; "" for kNone.
const char* failureCodeName(FailureCode code);

struct Failure {
  FailureCode code = FailureCode::kNone;
  std::string message;
  // The system's errno behind the failure, where what to do about it
  // depends on it (a port that cannot be bound: EACCES, EADDRINUSE); 0
  // otherwise.
  int systemError = 0;

  bool failed() const { return code != FailureCode::kNone; }
  bool is(FailureCode other) const { return code == other; }
  // "<message> (<code>)", as the console and the command line print it; ""
  // for no failure.
  std::string text() const {
    return failed() ? message + " (" + failureCodeName(code) + ")" : std::string();
  }
};

inline Failure failure(FailureCode code, std::string message) {
  return Failure{code, std::move(message)};
}

// A DeckLink result code's name from kNamedResults (decklink/decklink_api.h),
// for messages that pass a driver failure on: "E_FAIL"; "unknown" for a
// value without a name.
const char* hresultName(HRESULT result);

// The messages more than one step of the device layer gives.
extern const char kNotOpenMessage[];        // "no device is open"
extern const char kNoApiMessage[];          // "Blackmagic Desktop Video does not ..."
extern const char kNoDeviceMessage[];       // "no device at that index"
extern const char kNoOutputMessage[];       // "device has no output interface"
extern const char kUnsupportedMessage[];    // "device cannot output 10-bit RGB 4:4:4 ..."
extern const char kDisplayFailedMessage[];  // "DisplayVideoFrameSync failed"
extern const char kNotWritableMessage[];    // "could not write to the frame"

#endif  // CORVANE_DECKLINK_FAILURE_H
