// A random source that hands out a fixed list of numbers, then repeats the last one.
#pragma once

#include "random_source.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace pentora::testing {

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values = {0.0F}) : values_(std::move(values)) {}

    void reseed() override { ++reseeds; }
    float next() override {
        ++draws;
        const float u = values_.at(next_);
        if (next_ + 1 < values_.size()) {
            ++next_;
        }
        return u;
    }
    void script(std::vector<float> values) {
        values_ = std::move(values);
        next_ = 0;
    }

    int reseeds = 0;
    int draws = 0;

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

} // namespace pentora::testing
