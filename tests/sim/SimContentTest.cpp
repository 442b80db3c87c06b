// The content the simulated instrument starts with: repeatable from its seed,
// holding what a capture and the setup editor must cope with, its colour
// values right.
#include "Colorimetry.h"
#include "SimTestSupport.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace simtest;
using namespace Colorimetry;

TEST(SimContent, RepeatableRealisticDatalogAndSetups)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 300));
    SimInstrument other(options(clock, 300, 2));
    SimInstrument same(options(clock, 300));
    EXPECT_EQ(RenderDatalogJson(instrument.Datalog()), RenderDatalogJson(same.Datalog()));
    EXPECT_EQ(instrument.State().setups, same.State().setups);
    EXPECT_NE(RenderDatalogJson(instrument.Datalog()), RenderDatalogJson(other.Datalog()));

    // Texts, codes and values a capture must survive; runs that a standard
    // reading (sequence 0) opens, its samples numbered on with its setup.
    QSet<QString> seen;
    const auto& log = instrument.Datalog();
    for (size_t i = 0; i < log.size(); ++i) {
        const SimDatalogRecord& r = log[i];
        const QByteArray texts = r.product + r.sampleId;
        for (char special : {',', ';', '\t', '\xC9'})
            if (texts.contains(special)) seen << QString(QChar::fromLatin1(special));
        EXPECT_FALSE(texts.contains('\r') || texts.contains('\n'));
        if (r.time % 86400 == 0) seen << "midnight";
        if (r.standardType > 3 || r.viewType > 6 || r.illObs > 17 || r.scale > 6 || (r.index > 12 && r.index < 21) ||
            r.index > 29)
            seen << "unnamed code";
        if (r.standardType < 0 || r.viewType < 0 || r.illObs < 0 || r.scale < 0 || r.index < 0) seen << "negative code";
        for (float v : r.scaleData)
            if (v < 0.0f) seen << "negative value";
        for (float v : r.indexData)
            if (v >= 1000.0f) seen << "large value";
        EXPECT_LT(r.time, kNowSeconds);
        EXPECT_FALSE(instrument.Setup(r.setup).isEmpty());
        EXPECT_EQ(r.standard, r.sequence == 0);
        if (i > 0) {
            EXPECT_GE(r.time, log[i - 1].time);
            EXPECT_EQ(r.run, log[i - 1].run + (r.standard ? 1 : 0));
            if (!r.standard) {
                EXPECT_EQ(r.sequence, log[i - 1].sequence + 1);
                EXPECT_EQ(r.setup, log[i - 1].setup);
            }
        }
        // The colour values belong to the spectrum; dE* by hand from the two L*a*b* runs.
        const Triple xyz = Tristimulus(r.spectrum, ConditionsOfCode(r.illObs));
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.tristimulus[k], xyz[k], 1e-3);
        if (r.scale == 1) {
            const auto& s = r.scaleData;
            EXPECT_NEAR(r.colourDifference, std::hypot(s[0] - s[3], s[1] - s[4], s[2] - s[5]), 2e-3);
        }
    }
    EXPECT_EQ(seen.size(), 9) << seen.values().join(' ').toStdString();

    // Between 30 and 60 products of every standard type, in the unit's range.
    int filled = 0;
    QSet<int> standardTypes;
    for (int s = 0; s < 250; ++s) {
        const SimSetup setup = instrument.Setup(s);
        if (setup.isEmpty()) continue;
        ++filled;
        standardTypes << setup.standardType;
        EXPECT_GT(setup.minDistance(), 0.0f);
        EXPECT_LT(setup.minDistance(), setup.maxDistance());
        EXPECT_LE(setup.maxDistance(), setup.baseDistance);
        EXPECT_LE(setup.baseDistance, 150.0f);
        EXPECT_EQ(setup.views.size(), 8u);
    }
    EXPECT_GE(filled, 30);
    EXPECT_LE(filled, 60);
    EXPECT_EQ(standardTypes, (QSet<int>{0, 1, 2, 3}));

    // Readings are logged up to the capacity of 2000, then only counted.
    SimInstrument full(options(clock, 1999));
    const int32_t total = full.State().totalMeasurements;
    full.TakeMeasurement();
    full.TakeMeasurement();
    EXPECT_EQ(full.DatalogCount(), 2000);
    EXPECT_EQ(full.State().totalMeasurements, total + 2);
    EXPECT_EQ(full.Datalog().back().time, kNowSeconds);
}

// The colour arithmetic against published values.
TEST(SimContent, ColourArithmeticMatchesPublishedValues)
{
    // Published white points (Y = 100): D65/2 95.047 108.883, D65/10 94.811
    // 107.304, A/2 109.850 35.585. Summing 31 points of a fitted observer from
    // 400 to 700 nm keeps within 1.5 %; code 4 is D65/2, 13 D65/10, 0 A/2.
    const struct { int code; double x, z, tolerance; } whites[] = {
        {4, 95.047, 108.883, 0.6}, {13, 94.811, 107.304, 1.5}, {0, 109.850, 35.585, 1.1}};
    for (const auto& w : whites) {
        const Triple white = WhitePoint(ConditionsOfCode(w.code));
        EXPECT_DOUBLE_EQ(white[1], 100.0);
        EXPECT_NEAR(white[0], w.x, w.tolerance) << w.code;
        EXPECT_NEAR(white[2], w.z, w.tolerance) << w.code;
    }
    // The red primary of sRGB, XYZ 41.24 21.26 1.93 under D65/2 white
    // 95.047 100 108.883: CIELAB 53.24 80.09 67.20 (published), Hunter Lab by
    // hand with the published D65/2 constants Ka 172.30 and Kb 67.20:
    // L 46.11, a 82.69, b 28.40.
    const Triple white{95.047, 100.0, 108.883}, red{41.24, 21.26, 1.93};
    const Triple lab = XYZToLab(red, white), hunter = XYZToHunterLab(red, white);
    const Triple expectedLab{53.24, 80.09, 67.20}, expectedHunter{46.11, 82.69, 28.40};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(lab[k], expectedLab[k], 0.05) << k;
        EXPECT_NEAR(hunter[k], expectedHunter[k], k == 0 ? 0.01 : 0.1) << k;
    }
    // Hue 40 degrees against 30, both at chroma 30: dH* = 2 * 30 * sin(5 deg),
    // positive because the sample's hue angle is the greater.
    const Triple at40{52, 22.98133329356934, 19.28362829059617}, at30{50, 25.98076211353316, 15.0};
    EXPECT_NEAR(DeltaLCH(at40, at30)[2], 5.22934, 1e-4);
    EXPECT_NEAR(DeltaLCH(at30, at40)[2], -5.22934, 1e-4);
}
