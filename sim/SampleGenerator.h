#pragma once
// The content a simulated instrument starts with when it has no state file:
// product setups and a datalog of plausible readings, made deterministically
// from a seed (the same seed gives the same setups, records and spectra).
//
// The first setups and runs are always present, whatever the seed, because
// they hold the cases a capture must survive: product names and sample
// identifications with a comma, a semicolon, a tab and Latin-1 letters, a run
// that starts at exactly midnight, codes that newer firmware writes and the
// datalog vocabulary does not name, a dye strength above 1000 % and negative
// colour values. docs/protocol.md describes them.

#include "Colorimetry.h"
#include "SimDatalog.h"
#include "SimRandom.h"
#include "SimSetup.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int SetupCount = 250;
inline constexpr int DatalogCapacity = 2000;

struct GenerationParameters {
    uint32_t seed = 1;
    int datalogSize = 120;   // records to make, 0..2000
    bool inches = false;     // setups' distances and readings in inches, else mm
    int runConfigVariant = 2;  // 2: readings are heights, otherwise distances
    int32_t now = 0;         // the instrument's clock: records end the day before
};

struct SimContent {
    std::array<SimSetup, SetupCount> setups;
    std::vector<SimDatalogRecord> datalog;
    int setupInUse = 0;
    int32_t standardizedAt = 0;
    int lastRun = 0;
    int lastSequence = 0;
    int32_t lampHours = 0;
    int32_t totalMeasurements = 0;
    int measurementsSinceStandardization = 0;
};

SimContent GenerateContent(const GenerationParameters& parameters);

// One reading with a setup. When sample is null the sample is the setup's
// standard with a small shade drift drawn from random.
struct ReadingRequest {
    const SimSetup* setup = nullptr;
    int setupIndex = 0;
    int view = 0;  // 0-based view number of the setup
    const Colorimetry::Spectrum* sample = nullptr;
    QByteArray product;
    QByteArray sampleId;
    int run = 0;
    int sequence = 0;
    bool standard = false;
    int32_t time = 0;
    bool inches = false;
    int runConfigVariant = 2;
    float temperature = 32.0f;
};
SimDatalogRecord MakeReading(const ReadingRequest& request, SimRandom& random);
