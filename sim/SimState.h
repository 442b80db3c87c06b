#pragma once
// What a simulated instrument remembers between runs, and its JSON state file:
//
//   { "format": "tr8kz-sim-state", "version": 1,
//     "clockOffsetSeconds": n, "standardizedAt": n, "setupInUse": n,
//     "lampHours": n, "totalMeasurements": n,
//     "measurementsSinceStandardization": n, "lastRun": n, "lastSequence": n,
//     "datalog": [ {record}, ... ],          (SimDatalog.h names the fields)
//     "setups": [ "record text", ... 250 ] }  (each as the instrument stores it)

#include "SimDatalog.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct SimState {
    int64_t clockOffsetSeconds = 0;  // instrument clock minus the computer's local time
    int32_t standardizedAt = 0;      // seconds since 1970, instrument time
    int setupInUse = 0;
    int32_t lampHours = 0;
    int32_t totalMeasurements = 0;
    int measurementsSinceStandardization = 0;
    int lastRun = 0;
    int lastSequence = 0;
    std::vector<SimDatalogRecord> datalog;
    std::array<QByteArray, 250> setups;  // setup record texts exactly as written
};

// Raises AppError: FileAccess when the file cannot be read, InvalidArgument
// when it is not a state file or holds a value the instrument cannot keep.
SimState LoadSimState(const QString& fileName);
// The datalog part of the file. Saving happens after every change (a restore
// writes 250 setups one by one), so the instrument renders its datalog once
// and keeps the text until the datalog changes.
QByteArray RenderDatalogJson(const std::vector<SimDatalogRecord>& datalog);
// Replaces the file as a whole (never half-written); raises AppError
// (FileAccess) on failure. renderedDatalog is RenderDatalogJson of
// state.datalog, or null to render it here.
void SaveSimState(const SimState& state, const QString& fileName, const QByteArray* renderedDatalog = nullptr);
