#include "random_source.h"

#include <chrono>

namespace pentora {

namespace {

// Both clocks, every bit of each, through a seed sequence, with whatever else the caller adds.
// (Folding the clocks together by XOR lost bits: two clocks that advance together cancel out,
// and back-to-back reseeds then gave the same seed about once in 500.)
void seedFromClocks(std::mt19937& engine, std::uint32_t extra) {
    const auto steady =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const auto system =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq seeds{
        static_cast<std::uint32_t>(steady), static_cast<std::uint32_t>(steady >> 32U),
        static_cast<std::uint32_t>(system), static_cast<std::uint32_t>(system >> 32U), extra};
    engine.seed(seeds);
}

} // namespace

ClockSeededRandom::ClockSeededRandom() {
    seedFromClocks(engine_, 0);
}

// The clocks, and a draw of the sequence so far: two games started within one tick of a coarse
// clock (Windows') still draw differently.
void ClockSeededRandom::reseed() {
    seedFromClocks(engine_, static_cast<std::uint32_t>(engine_()));
}

float ClockSeededRandom::next() {
    // The top 24 bits of a draw, scaled by 2^-24: every value is exact in a float and below 1.
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(engine_() >> 8) * kScale;
}

} // namespace pentora
