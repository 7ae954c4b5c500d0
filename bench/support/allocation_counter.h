// Heap allocations of the calling thread, counted by the benchmark binaries'
// own malloc, calloc, realloc and aligned allocations (which forward to the C
// library's allocator).
#ifndef QOVIN_BENCH_ALLOCATION_COUNTER_H
#define QOVIN_BENCH_ALLOCATION_COUNTER_H

namespace qovinbench {

// Allocations made by this thread since it started.
long long allocations();

}  // namespace qovinbench

#endif
