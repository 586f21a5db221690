// The answers of `corvane serve` that several of its tests expect, and the
// simulated card they run against.
#ifndef CORVANE_TESTS_SERVE_SERVE_ANSWERS_H
#define CORVANE_TESTS_SERVE_SERVE_ANSWERS_H

#include <string>

// A failure's answer, byte for byte: its code, then its message.
inline std::string failure(const std::string& code, const std::string& error) {
  return "{\"ok\":false,\"code\":\"" + code + "\",\"error\":\"" + error + "\"}";
}
inline std::string badRequest(const std::string& error) { return failure("bad_request", error); }

inline const char kReady[] = "{\"ok\":true,\"ready\":true}";
inline const char kCard[] = "[device]\nname = DeckLink Sim\n";
inline const char kHd[] = "{\"ok\":true,\"width\":1920,\"height\":1080}";
inline const char kUhd[] = "{\"ok\":true,\"width\":3840,\"height\":2160}";
// align at 1920x1080 with its default boxes of 3 % and 10 %.
inline const char kAlignedHd[] =
    "{\"ok\":true,\"inner\":{\"w\":333,\"h\":187},\"outer\":{\"w\":607,\"h\":342}}";
inline const std::string kNotOpen = failure("not_open", "no device is open");
inline const std::string kUnrecognised = badRequest("unrecognised command");
inline const std::string kUnknownResolution = badRequest("unknown resolution");
inline const std::string kValues = badRequest("values must be 0-1023 (10-bit)");
inline const std::string kArea = badRequest("area must be 1-100");
inline const std::string kNeedsRgb = badRequest("patch needs r, g and b");
inline const std::string kNoDevice = failure("no_device", "no device at that index");
inline const std::string kNoOutput = failure("no_output", "device has no output interface");
inline const std::string kNoApi =
    failure("no_api", "Blackmagic Desktop Video does not appear to be installed");
inline const std::string kUnsupported =
    failure("unsupported", "device cannot output 10-bit RGB 4:4:4 at this resolution");
inline const std::string kDisplayFailed = failure("failed", "DisplayVideoFrameSync failed");
inline const std::string kNotWritable = failure("failed", "could not write to the frame");
inline const std::string kRestored =
    failure("failed", "could not switch resolution; previous mode restored");

#endif  // CORVANE_TESTS_SERVE_SERVE_ANSWERS_H
