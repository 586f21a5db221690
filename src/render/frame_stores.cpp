#include "render/frame_stores.h"

#include <unistd.h>

#include <cstring>

#include "render/fill.h"

#ifdef CORVANE_X86_64_STORES
#include <emmintrin.h>
#endif

namespace {

#ifdef CORVANE_X86_64_STORES

// Bytes of `to` before its first 16-byte boundary, at most `size`.
size_t headBytes(const unsigned char* to, size_t size) {
  const size_t head = (16 - (reinterpret_cast<uintptr_t>(to) & 15)) & 15;
  return head < size ? head : size;
}

void streamFill(unsigned char* to, uint32_t stored, int64_t count) {
  // Plain word stores up to the first 16-byte boundary; an address that is
  // not word-aligned never reaches one at a word's start, and is painted
  // plainly throughout.
  while (count > 0 && (reinterpret_cast<uintptr_t>(to) & 15) != 0) {
    std::memcpy(to, &stored, 4);
    to += 4;
    --count;
  }
  const __m128i four = _mm_set1_epi32(static_cast<int>(stored));
  for (; count >= 16; count -= 16, to += 64) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(to), four);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 16), four);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 32), four);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 48), four);
  }
  for (; count >= 4; count -= 4, to += 16) _mm_stream_si128(reinterpret_cast<__m128i*>(to), four);
  fillWords(to, stored, count);
}

void streamCopy(unsigned char* to, const unsigned char* from, size_t size) {
  const size_t head = headBytes(to, size);
  std::memcpy(to, from, head);
  to += head;
  from += head;
  size -= head;
  for (; size >= 64; size -= 64, to += 64, from += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 48));
    _mm_stream_si128(reinterpret_cast<__m128i*>(to), a);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 16), b);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 32), c);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + 48), d);
  }
  for (; size >= 16; size -= 16, to += 16, from += 16) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(to),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
  }
  std::memcpy(to, from, size);
}

// One string store of `count` words: the processor writes whole lines of a
// long run without reading them first, as memset's own string stores do.
// A string store costs a start-up of some dozens of cycles, so a short run
// is written with plain stores.
void stringFill(unsigned char* to, uint32_t stored, int64_t count) {
  if (count < 64) {
    for (int64_t i = 0; i < count; ++i) std::memcpy(to + 4 * i, &stored, 4);
    return;
  }
  void* at = to;
  size_t words = static_cast<size_t>(count);
  asm volatile("rep stosl" : "+D"(at), "+c"(words) : "a"(stored) : "memory");
}

// The last-level cache's share per processor, or 0 when unknown.
int64_t cacheSharePerProcessor() {
#ifdef _SC_LEVEL3_CACHE_SIZE
  long cache = sysconf(_SC_LEVEL3_CACHE_SIZE);
  if (cache <= 0) cache = sysconf(_SC_LEVEL2_CACHE_SIZE);
  const long processors = sysconf(_SC_NPROCESSORS_ONLN);
  if (cache <= 0) return 0;
  return processors > 1 ? cache / processors : cache;
#else
  return 0;
#endif
}

#endif  // CORVANE_X86_64_STORES

}  // namespace

FrameStores frameStoresFor(int64_t frameBytes) {
#ifdef CORVANE_X86_64_STORES
  static const int64_t threshold = cacheSharePerProcessor() * 3 / 4;
  return frameBytes > threshold ? FrameStores::kStreaming : FrameStores::kCached;
#else
  (void)frameBytes;
  return FrameStores::kCached;
#endif
}

void fillRun(unsigned char* to, uint32_t stored, int64_t count, FrameStores stores) {
  if (count <= 0) return;
#ifdef CORVANE_X86_64_STORES
  if (stores == FrameStores::kStreaming) {
    streamFill(to, stored, count);
  } else {
    stringFill(to, stored, count);
  }
#else
  (void)stores;
  fillWords(to, stored, count);
#endif
}

void copyRun(unsigned char* to, const unsigned char* from, size_t size, FrameStores stores) {
#ifdef CORVANE_X86_64_STORES
  if (stores == FrameStores::kStreaming) {
    streamCopy(to, from, size);
    return;
  }
#endif
  (void)stores;
  std::memcpy(to, from, size);
}

void finishStreaming() {
#ifdef CORVANE_X86_64_STORES
  _mm_sfence();
#endif
}
