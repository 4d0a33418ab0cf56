#pragma once

#include <malloc.h>

namespace calpero {

// What both programs do first, before they read a catalogue: the C library keeps the blocks of
// whole files in its heap for the rest of the process.
// Each action on a catalogue of many thousand units takes blocks of megabytes (the file's text,
// its headers, its names) and frees them again. By default the library gives blocks that large
// back to the system as soon as they are freed, and whether the top of its heap goes back too
// depends on the order of earlier frees; the next action then pays for fresh pages, which the
// system must zero, and the same Delete in the window took half as long again from one run to the
// next. With this, blocks up to 32 MB (the most the library takes) come from the heap, and up to
// 64 MB of free heap stays with the process. Where the library refuses, it keeps its own rules:
// slower, never wrong. The benchmarks call it too, so that they measure on the programs' terms.
inline void KeepLargeBlocksInTheHeap() {
  constexpr int kLargestHeapBlock = 32 << 20;
  constexpr int kFreeHeapKept = 64 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kFreeHeapKept);
}

}  // namespace calpero
