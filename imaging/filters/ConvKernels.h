// The inner loops of the convolution over a row span: widening adds and multiply-adds of
// bytes and 32-bit sums, and the final table lookup. Built for several instruction sets; the
// processor picks at run time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace convk {

// dst[i] = src[i]
void Widen(std::int32_t* dst, const std::uint8_t* src, std::size_t n);
// dst[i] += src[i]
void Add(std::int32_t* dst, const std::uint8_t* src, std::size_t n);
// acc[i] += w * src[i]
void MulAdd(std::int32_t* acc, const std::uint8_t* src, std::size_t n, std::int32_t w);
void MulAdd(std::int32_t* acc, const std::int32_t* src, std::size_t n, std::int32_t w);
// acc[i] += w * (a[i] + b[i])
void MulAddPair(std::int32_t* acc, const std::uint8_t* a, const std::uint8_t* b, std::size_t n,
                std::int32_t w);
void MulAddPair(std::int32_t* acc, const std::int32_t* a, const std::int32_t* b, std::size_t n,
                std::int32_t w);
// out[i] = lut[acc[i] - min]
void Lookup(std::uint8_t* out, const std::int32_t* acc, std::size_t n, const std::uint8_t* lut,
            std::int32_t min);

}  // namespace convk
