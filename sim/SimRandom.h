#pragma once
// The simulated instrument's random source. std::mt19937 produces the same
// sequence on every platform; the standard distributions do not, so the few
// shapes needed here are computed from its raw output. Everything generated
// from one seed is therefore the same on every build.

#include <cstdint>
#include <random>

class SimRandom {
public:
    explicit SimRandom(uint32_t seed) : engine_(seed) {}

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(engine_()) / 4294967296.0; }
    // Uniform in [low, high).
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    // Uniform whole number in [low, high].
    int integer(int low, int high)
    {
        const auto span = static_cast<uint32_t>(high - low + 1);
        return low + static_cast<int>(engine_() % span);
    }
    bool chance(double probability) { return unit() < probability; }
    // Roughly normal (sum of four uniforms), mean 0, standard deviation sigma.
    double noise(double sigma)
    {
        double sum = 0;
        for (int i = 0; i < 4; ++i) sum += unit();
        return (sum - 2.0) * sigma * 1.7320508075688772;  // sqrt(12 / 4)
    }
    uint32_t raw() { return engine_(); }

private:
    std::mt19937 engine_;
};
