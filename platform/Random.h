// One fast seedable random generator (xoshiro256**). The tournament seeds it per pairing
// from a high-resolution clock mixed with a counter; tests and the headless driver pass a
// seed so that a run can be repeated exactly.
#pragma once

#include <cstdint>

namespace platform {

class Random {
public:
    Random() : Random(clockSeed()) {}
    explicit Random(std::uint64_t seed) { reseed(seed); }

    void reseed(std::uint64_t seed);
    std::uint64_t next();
    // Uniform in 0..n-1 without modulo bias; n must be > 0.
    std::uint32_t below(std::uint32_t n);

    // A seed from the high-resolution clock mixed with a process-wide counter, so two
    // calls in the same clock tick still differ.
    static std::uint64_t clockSeed();
    // A seed derived from a base seed and a number (the pairing), well mixed.
    static std::uint64_t derive(std::uint64_t base, std::uint64_t number);

private:
    std::uint64_t s[4];
};

} // namespace platform
