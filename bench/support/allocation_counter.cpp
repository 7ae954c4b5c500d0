// Replaces the allocation functions of the C library in the benchmark binary,
// so that every allocation of the process (the JVM's, the bridge's, the
// stand-in's) passes here and is counted for the thread that makes it. Each
// forwards to glibc's own allocator, so nothing else changes.
#include "allocation_counter.h"

#include <malloc.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t size) noexcept;
void* __libc_calloc(size_t count, size_t size) noexcept;
void* __libc_realloc(void* pointer, size_t size) noexcept;
void* __libc_memalign(size_t alignment, size_t size) noexcept;
void __libc_free(void* pointer) noexcept;
}

namespace {
// In the executable's static TLS: usable from a thread's first instruction on,
// without allocating.
thread_local long long counted __attribute__((tls_model("initial-exec"))) = 0;
}  // namespace

namespace qovinbench {
long long allocations() { return counted; }
}  // namespace qovinbench

extern "C" {

void* malloc(size_t size) noexcept {
  ++counted;
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
  ++counted;
  return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size) noexcept {
  ++counted;
  return __libc_realloc(pointer, size);
}

void free(void* pointer) noexcept { __libc_free(pointer); }

void* memalign(size_t alignment, size_t size) noexcept {
  ++counted;
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
  ++counted;
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
  if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
  ++counted;
  void* pointer = __libc_memalign(alignment, size);
  if (pointer == nullptr) return ENOMEM;
  *out = pointer;
  return 0;
}

void* valloc(size_t size) noexcept {
  ++counted;
  return __libc_memalign(4096, size);
}

}  // extern "C"
