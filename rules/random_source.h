// The source of random numbers for the computer's draw. The game reseeds it from the clock at
// every press of the start button; tests put a scripted source in its place.
#pragma once

#include <cstdint>
#include <random>

namespace pentora {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // Uniform in [0, 1), single precision.
    virtual float next() = 0;
};

class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    explicit ClockSeededRandom(std::uint32_t seed) : engine_(seed) {}

    void reseed() override;
    float next() override;

private:
    std::mt19937 engine_;
};

} // namespace pentora
