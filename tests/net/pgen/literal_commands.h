// The commands PGenerator hosts send, byte for byte as they send them
// (HCFR's and pgen_client's patches at 1920 x 1080 with a 10 % window, the
// queries, the settings and HCFR's template commands), with the terminator.
#ifndef CORVANE_TESTS_NET_PGEN_LITERAL_COMMANDS_H
#define CORVANE_TESTS_NET_PGEN_LITERAL_COMMANDS_H

namespace literal {

constexpr char kEnd[] = "\x02\r";

constexpr char kIsAlive[] = "IS_ALIVE\x02\r";
constexpr char kQuit[] = "QUIT\x02\r";
constexpr char kGetResolution[] = "CMD:GET_RESOLUTION\x02\r";
constexpr char kGetGpuMemory[] = "CMD:GET_GPU_MEMORY\x02\r";
constexpr char kGetVersion[] = "CMD:GET_PGENERATOR_VERSION\x02\r";
constexpr char kGetMode[] = "CMD:GET_MODE\x02\r";
constexpr char kGetModesAvailable[] = "CMD:GET_MODES_AVAILABLE\x02\r";
constexpr char kGetHostname[] = "CMD:GET_HOSTNAME\x02\r";
constexpr char kGetIsHdr[] = "CMD:GET_PGENERATOR_CONF_IS_HDR\x02\r";
constexpr char kMultiple[] =
    "CMD:MULTIPLE:GET_PGENERATOR_CONF_COLOR_FORMAT:GET_PGENERATOR_CONF_RGB_QUANT_RANGE:"
    "GET_PGENERATOR_CONF_COLORIMETRY:GET_PGENERATOR_CONF_IS_LL_DOVI\x02\r";
constexpr char kSetHdr[] = "CMD:SET_IS_HDR:1\x02\r";
constexpr char kSetRange[] = "CMD:SET_RGB_QUANT_RANGE:2\x02\r";
constexpr char kHalt[] = "CMD:HALT\x02\r";
constexpr char kReboot[] = "CMD:REBOOT\x02\r";
constexpr char kRestart[] = "RESTARTPGENERATOR:\x02\r";

// HCFR, 8-bit full range, triplet display off: 50 % grey centred.
constexpr char kHcfrPatch[] = "RGB=RECTANGLE;607,341;100;128,128,128;0,0,0;-1,-1,0,0\x02\r";
// pgen_client, 10-bit, the same window placed by its top-left pixel.
constexpr char kPgenClientPatch[] =
    "RGB=RECTANGLE10bit;607,342;0;512,512,512;0,0,0;0,0,657,369;-1\x02\r";
// HCFR's default, triplet display on: the template upload as its client
// library sends it (a 10 % window), a patch (50 % in video levels), and the
// end of a run.
constexpr char kTemplateUpload[] =
    "SETCONF:HCFR:TEMPLATERAMDISK:DRAW=TEXT\nDIM=18,0\nRESOLUTION=100\nRGB=20,128,128\n"
    "BG=DYNAMIC\nPOSITION=785,20\nTEXT=RGB Triplet $RGB\nEND=1\nDRAW=RECTANGLE\nDIM=607,341\n"
    "RESOLUTION=100\nRGB=DYNAMIC\nBG=-1,-1,-1\nPOSITION=-1,-1,0,0\nEND=1\x02\r";
constexpr char kTemplatePatch[] = "TESTTEMPLATERAMDISK:HCFR:126,126,126;16,16,16\x02\r";
constexpr char kTemplateDisk[] = "TESTTEMPLATEDISK:PatternDynamic:126,126,126\x02\r";
constexpr char kEndText[] = "RGB=TEXT;14,0;100;16,128,128;0,0,0;100,300;End of sequence\x02\r";
constexpr char kEndTemplate[] = "TESTTEMPLATE:PatternDynamic:0,0,0\x02\r";

constexpr char kDiscovery[] = "Who is a PGenerator";

}  // namespace literal

#endif  // CORVANE_TESTS_NET_PGEN_LITERAL_COMMANDS_H
