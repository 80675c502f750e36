#include "platform/Random.h"

#include <atomic>
#include <chrono>

namespace platform {
namespace {

std::uint64_t splitmix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

void Random::reseed(std::uint64_t seed) {
    std::uint64_t x = seed;
    for (auto& word : s)
        word = splitmix(x);
}

std::uint64_t Random::next() {
    const std::uint64_t result = rotl(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotl(s[3], 45);
    return result;
}

std::uint32_t Random::below(std::uint32_t n) {
    // Lemire's multiply-and-reject: uniform without modulo bias.
    std::uint64_t m = (next() >> 32) * std::uint64_t(n);
    auto low = static_cast<std::uint32_t>(m);
    if (low < n) {
        const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;
        while (low < threshold) {
            m = (next() >> 32) * std::uint64_t(n);
            low = static_cast<std::uint32_t>(m);
        }
    }
    return static_cast<std::uint32_t>(m >> 32);
}

std::uint64_t Random::clockSeed() {
    static std::atomic<std::uint64_t> counter{0};
    const auto now = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::uint64_t x = now ^ (counter.fetch_add(1) * 0xD1B54A32D192ED03ull);
    return splitmix(x);
}

std::uint64_t Random::derive(std::uint64_t base, std::uint64_t number) {
    std::uint64_t x = base ^ splitmix(number);
    return splitmix(x);
}

} // namespace platform
