// The answers of `corvane serve` that several of its tests expect, and the
// simulated card they run against. Each test file has its own copy
// (constexpr: internal linkage).
#ifndef CORVANE_TESTS_SERVE_SERVE_ANSWERS_H
#define CORVANE_TESTS_SERVE_SERVE_ANSWERS_H

constexpr char kReady[] = "{\"ok\":true,\"ready\":true}";
constexpr char kCard[] = "[device]\nname = DeckLink Sim\n";
constexpr char kHd[] = "{\"ok\":true,\"width\":1920,\"height\":1080}";
constexpr char kUhd[] = "{\"ok\":true,\"width\":3840,\"height\":2160}";
constexpr char kNotOpen[] =
    "{\"ok\":false,\"code\":\"not_open\",\"error\":\"no device is open\"}";
constexpr char kUnrecognised[] =
    "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"unrecognised command\"}";
constexpr char kUnknownResolution[] =
    "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"unknown resolution\"}";
constexpr char kValues[] =
    "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"values must be 0-1023 (10-bit)\"}";
constexpr char kArea[] =
    "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"area must be 1-100\"}";
constexpr char kNeedsRgb[] =
    "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"patch needs r, g and b\"}";
constexpr char kNoDevice[] =
    "{\"ok\":false,\"code\":\"no_device\",\"error\":\"no device at that index\"}";
constexpr char kDisplayFailed[] =
    "{\"ok\":false,\"code\":\"failed\",\"error\":\"DisplayVideoFrameSync failed\"}";
constexpr char kNotWritable[] =
    "{\"ok\":false,\"code\":\"failed\",\"error\":\"could not write to the frame\"}";

#endif  // CORVANE_TESTS_SERVE_SERVE_ANSWERS_H
