// The windows the end-to-end tests expect, each written once as literal
// numbers (frame pixels: x, y, w, h), and the texts that name a window.
#ifndef CORVANE_TESTS_SUPPORT_WINDOWS_H
#define CORVANE_TESTS_SUPPORT_WINDOWS_H

#include <string>

#include "render/patch_rect.h"

// 1920x1080: the whole frame, and the centred windows of 3 % and 10 % of
// its area (an odd margin leaves the extra pixel on the right or bottom).
constexpr PatchRect kHdFull = {0, 0, 1920, 1080};
constexpr PatchRect kHd3 = {793, 446, 333, 187};
constexpr PatchRect kHd10 = {656, 369, 607, 342};
// The 10 % windows PGenerator hosts send at 1920x1080: HCFR's, 607x341
// centred by corvane; pgen_client's, 607x342 placed at (657,369).
constexpr PatchRect kHcfr10 = {656, 369, 607, 341};
constexpr PatchRect kPgenClient10 = {657, 369, 607, 342};
// The window Resolve hosts send by default at 1920x1080: 300 pixels
// square, centred.
constexpr PatchRect kResolveWindow = {810, 390, 300, 300};
// 3840x2160: the whole frame and the centred 10 % window.
constexpr PatchRect kUhdFull = {0, 0, 3840, 2160};
constexpr PatchRect kUhd10 = {1313, 738, 1214, 683};

// "607x342 at (656,369)": a window as the console and the network modes
// print it.
std::string windowText(const PatchRect& window);
// "patch 512 512 512 window 607x342 at (656,369) on 0 0 0": the network
// modes' line for a picture of one window.
std::string patchLine(const std::string& colour, const PatchRect& window,
                      const std::string& background);
// serve's answer to a patch shown in `window`.
std::string patchAnswer(const PatchRect& window);

#endif  // CORVANE_TESTS_SUPPORT_WINDOWS_H
