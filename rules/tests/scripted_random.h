// A random source that hands out a fixed list of numbers, then repeats the last one. A test
// whose repeated number keeps naming an empty pot would draw forever; the source gives up with
// an exception instead, so the test fails rather than hangs.
#pragma once

#include "random_source.h"

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

namespace pentora::testing {

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values = {0.0F}) : values_(std::move(values)) {}

    void reseed() override { ++reseeds; }
    float next() override {
        ++draws;
        if (++sinceScript_ > kGiveUpAfter) {
            throw std::runtime_error("ScriptedRandom: the script keeps naming an empty pot");
        }
        const float u = values_.at(next_);
        if (next_ + 1 < values_.size()) {
            ++next_;
        }
        return u;
    }
    void script(std::vector<float> values) {
        values_ = std::move(values);
        next_ = 0;
        sinceScript_ = 0;
    }

    int reseeds = 0;
    int draws = 0;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
    int sinceScript_ = 0;
    static constexpr int kGiveUpAfter = 100000;
};

} // namespace pentora::testing
