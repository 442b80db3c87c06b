// The simulated instrument's measurements: finite whatever the seed, and
// judged against lower tolerances kept as magnitudes.
#include "Measurement.h"
#include "SampleGenerator.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

// Seed 7 with 300 records once logged "nan" in records 272 to 292.
TEST(SimMeasurement, EveryValueIsFiniteOverManySeedsAndRecords)
{
    const auto finite = [](const auto& values) {
        return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
    };
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        GenerationParameters p;
        p.seed = seed;
        p.datalogSize = 300;
        const SimContent content = GenerateContent(p);
        ASSERT_EQ(content.datalog.size(), 300u);
        for (size_t i = 0; i < content.datalog.size(); ++i) {
            const SimDatalogRecord& r = content.datalog[i];
            ASSERT_TRUE(finite(r.spectrum) && finite(r.scaleData) && finite(r.tristimulus) && finite(r.indexData) &&
                        finite(r.indexTolerances) && std::isfinite(r.colourDifference) && std::isfinite(r.reading))
                << "seed " << seed << ", record " << i + 1;
        }
        for (const SimSetup& s : content.setups) {
            for (int k = 0; k < 3; ++k) EXPECT_GE(s.scaleMinus[k], 0.0f) << "seed " << seed;
            EXPECT_GE(s.indexMinus, 0.0f) << "seed " << seed;
        }
    }
}

// A sample a little darker than its standard: dL* is negative. Lower
// tolerances just above and just below |dL*| pass and fail it; the upper
// tolerance plays no part, and 0 and 0 is no tolerance.
TEST(SimMeasurement, DifferencesAreJudgedFromMinusLowerToPlusUpper)
{
    SimSetup setup = BlankSetup();
    setup.spectrum.fill(40.0f);
    SimView view = setup.views[0];
    view.illObs = 13;
    view.scale = 1;

    SimDatalogRecord r;
    r.illObs = 13;
    r.scale = 1;
    r.spectrum.fill(38.0f);
    const Colorimetry::Conditions d65 = Colorimetry::ConditionsOfCode(13);
    const Colorimetry::Triple white = Colorimetry::WhitePoint(d65);
    const double dL = Measurement::ScaleValues(1, Colorimetry::Tristimulus(r.spectrum, d65), white)[0] -
                      Measurement::ScaleValues(1, Colorimetry::Tristimulus(setup.spectrum, d65), white)[0];
    ASSERT_LT(dL, -0.5);

    const float lower = static_cast<float>(-dL);
    const struct { float plus, minus; int flags; } cases[] = {
        {5.0f, lower + 0.01f, 0},  // just inside
        {5.0f, lower - 0.01f, 1},  // just outside
        {0.0f, lower + 0.01f, 0},  // no upper tolerance needed for a darker sample
        {0.0f, 0.0f, 0},           // no tolerance set
        {5.0f, -(lower + 0.01f), 0},  // a signed lower tolerance of an earlier state file counts by its size
    };
    for (const auto& c : cases) {
        setup.scalePlus = {c.plus, 5.0f, 5.0f};
        setup.scaleMinus = {c.minus, 5.0f, 5.0f};
        Measurement::Evaluate(r, setup, view);
        EXPECT_EQ(r.flags & 1, c.flags) << "plus " << c.plus << ", minus " << c.minus << ", dL* " << dL;
    }
}
