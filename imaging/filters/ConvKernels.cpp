#include "imaging/filters/ConvKernels.h"

// Plain loops the compiler vectorises; with GCC on x86-64 an AVX2 copy is chosen at run time
// where the processor has it. Not under the thread sanitizer: its run-time is not ready when
// the loader calls the clones' resolvers, and the program would crash before main.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define LUMIVEX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMIVEX_VECTOR_CLONES
#endif

namespace convk {

LUMIVEX_VECTOR_CLONES void Widen(std::int32_t* dst, const std::uint8_t* src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) dst[i] = src[i];
}

LUMIVEX_VECTOR_CLONES void Add(std::int32_t* dst, const std::uint8_t* src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) dst[i] += src[i];
}

LUMIVEX_VECTOR_CLONES void MulAdd(std::int32_t* __restrict acc, const std::uint8_t* __restrict src,
                                  std::size_t n, std::int32_t w) {
  for (std::size_t i = 0; i < n; ++i) acc[i] += w * static_cast<std::int32_t>(src[i]);
}

LUMIVEX_VECTOR_CLONES void MulAdd(std::int32_t* __restrict acc, const std::int32_t* __restrict src,
                                  std::size_t n, std::int32_t w) {
  for (std::size_t i = 0; i < n; ++i) acc[i] += w * src[i];
}

LUMIVEX_VECTOR_CLONES void MulAddPair(std::int32_t* __restrict acc,
                                      const std::uint8_t* __restrict a,
                                      const std::uint8_t* __restrict b, std::size_t n,
                                      std::int32_t w) {
  for (std::size_t i = 0; i < n; ++i)
    acc[i] += w * (static_cast<std::int32_t>(a[i]) + static_cast<std::int32_t>(b[i]));
}

LUMIVEX_VECTOR_CLONES void MulAddPair(std::int32_t* __restrict acc,
                                      const std::int32_t* __restrict a,
                                      const std::int32_t* __restrict b, std::size_t n,
                                      std::int32_t w) {
  for (std::size_t i = 0; i < n; ++i) acc[i] += w * (a[i] + b[i]);
}

void Lookup(std::uint8_t* out, const std::int32_t* acc, std::size_t n, const std::uint8_t* lut,
            std::int32_t min) {
  for (std::size_t i = 0; i < n; ++i) out[i] = lut[acc[i] - min];
}

}  // namespace convk
