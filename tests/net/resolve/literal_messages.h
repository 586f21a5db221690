// The messages calibration hosts send, byte for byte as they send them: the
// first-connect grey and the end-of-run black of DisplayCAL's default
// 10-bit messages, the same grey in its 8-bit rectangle shape, a full-field
// grey as another host writes it (no XML declaration), and white at video
// levels. 1920 x 1080, the default 300-pixel window, centred.
#ifndef CORVANE_TESTS_NET_RESOLVE_LITERAL_MESSAGES_H
#define CORVANE_TESTS_NET_RESOLVE_LITERAL_MESSAGES_H

namespace literal {

constexpr char kGreyCm[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><calibration><color red=\"512\" green=\"512\" "
    "blue=\"512\" bits=\"10\"/><background red=\"212\" green=\"212\" blue=\"212\" "
    "bits=\"10\"/><geometry x=\"0.4219\" y=\"0.3611\" cx=\"0.1562\" cy=\"0.2778\"/>"
    "</calibration>";
constexpr char kGreyLs[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><calibration><shapes><rectangle><color "
    "red=\"128\" green=\"128\" blue=\"128\" /><geometry x=\"0.4219\" y=\"0.3611\" "
    "cx=\"0.1562\" cy=\"0.2778\" /></rectangle></shapes></calibration>";
constexpr char kBlackCm[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><calibration><color red=\"0\" green=\"0\" "
    "blue=\"0\" bits=\"10\"/><background red=\"0\" green=\"0\" blue=\"0\" bits=\"10\"/>"
    "<geometry x=\"0.0000\" y=\"0.0000\" cx=\"1.0000\" cy=\"1.0000\"/></calibration>";
constexpr char kFullGreyNoDeclaration[] =
    "<calibration><shapes><rectangle><color red=\"128\" green=\"128\" blue=\"128\" />"
    "<geometry x=\"0.0\" y=\"0.0\" cx=\"1.0\" cy=\"1.0\" /></rectangle></shapes>"
    "</calibration>";
constexpr char kWhiteVideoCm[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><calibration><color red=\"940\" green=\"940\" "
    "blue=\"940\" bits=\"10\"/><background red=\"226\" green=\"226\" blue=\"226\" "
    "bits=\"10\"/><geometry x=\"0.4219\" y=\"0.3611\" cx=\"0.1562\" cy=\"0.2778\"/>"
    "</calibration>";

}  // namespace literal

#endif  // CORVANE_TESTS_NET_RESOLVE_LITERAL_MESSAGES_H
