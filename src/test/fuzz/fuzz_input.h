// Decoding a libFuzzer input into numbers, and the check that stops a run.
#ifndef QOVIN_FUZZ_INPUT_H
#define QOVIN_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qovinfuzz {

// Takes numbers from the front of the input; past its end every number is 0.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return size_ == 0; }

  template <typename T>
  T take() {
    T value{};
    const size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
    std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

// A broken rule ends the run as a crash, with the input saved by libFuzzer.
#define QOVIN_FUZZ_CHECK(condition, ...)                              \
  do {                                                                \
    if (!(condition)) {                                               \
      std::fprintf(stderr, "broken rule at %s:%d: ", __FILE__, __LINE__); \
      std::fprintf(stderr, __VA_ARGS__);                              \
      std::fprintf(stderr, "\n");                                     \
      std::abort();                                                   \
    }                                                                 \
  } while (0)

}  // namespace qovinfuzz

#endif
