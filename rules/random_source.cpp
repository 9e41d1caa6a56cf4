#include "random_source.h"

#include <chrono>

namespace pentora {

namespace {

std::uint32_t clockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
                       std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

} // namespace

ClockSeededRandom::ClockSeededRandom() : engine_(clockSeed()) {}

void ClockSeededRandom::reseed() {
    engine_.seed(clockSeed());
}

float ClockSeededRandom::next() {
    // The top 24 bits of a draw, scaled by 2^-24: every value is exact in a float and below 1.
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(engine_() >> 8) * kScale;
}

} // namespace pentora
