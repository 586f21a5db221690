// How the painters write frame memory, and which way suits this machine.
//
// The painters only write the frame; nothing on this side reads it back.
// Two ways of writing it reach the memory's speed, each on its own kind of
// machine, and the C library's memset chooses between the same two:
//   cached     the stores go through the cache. On x86-64 whole runs use
//              the processor's string stores, which write full lines
//              without reading them first; elsewhere memcpy from a pattern.
//              Best while the frame fits the cache a core may use, where a
//              frame painted again and again never leaves it.
//   streaming  non-temporal stores (SSE2, in every x86-64 processor) that
//              write each line to memory without reading it into the cache
//              first. Best once the frame is larger than that cache: an
//              ordinary store would then read every line from memory
//              before writing it, doubling the traffic.
// Streaming stores are weakly ordered: finishStreaming orders them before
// any ordinary store to the same memory and before the frame is handed back
// to the card.
#ifndef CORVANE_RENDER_FRAME_STORES_H
#define CORVANE_RENDER_FRAME_STORES_H

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#define CORVANE_X86_64_STORES 1
#endif

enum class FrameStores { kCached, kStreaming };

// Whether fillRun writes a long run at the memory's speed by itself (the
// processor's string and streaming stores); elsewhere long runs are copied
// from a pattern.
#ifdef CORVANE_X86_64_STORES
constexpr bool kFastFillRuns = true;
#else
constexpr bool kFastFillRuns = false;
#endif

// The way for a frame of `frameBytes`: streaming on x86-64 when the frame
// is larger than three quarters of the last-level cache's share per
// processor (the rule glibc's memset follows); cached otherwise, and always
// where streaming stores are not available.
FrameStores frameStoresFor(int64_t frameBytes);

// Writes `count` copies of the stored word from `to` on.
void fillRun(unsigned char* to, uint32_t stored, int64_t count, FrameStores stores);

// Copies `size` bytes from `from` to `to`.
void copyRun(unsigned char* to, const unsigned char* from, size_t size, FrameStores stores);

// Orders every streaming store before the stores and calls that follow.
void finishStreaming();

#endif  // CORVANE_RENDER_FRAME_STORES_H
