#pragma once
// Which run configuration editor the instrument wants, and in which units.
// The instrument answers "Q10001" with its units (1 inches, anything else
// millimetres) and "Q10002" with its variant (1 distances from the sensor,
// 2 heights above a base; any other answer: no editor applies).

#include "Exchange.h"
#include "FieldCodec.h"

#include <cstdint>

enum class RunConfigEditor {
    None,      // the instrument named no variant this program knows
    Distance,  // minimum and maximum distance from the sensor
    Height,    // distance to the base, minimum and maximum height above it
};

struct RunConfigChoice {
    bool CustomaryUnits = false;  // inches when true, millimetres when false
    int16_t Variant = 0;          // the instrument's answer to "Q10002"

    RunConfigEditor Editor() const;
};

// Sends "Q10001", then "Q10002", each as the whole command, and reads one
// Word from each reply (narrowed to 16 bits: above 32767 is AppError 6). A
// refusal ("?") raises AppError InstrumentRefused naming the command.
RunConfigChoice QueryRunConfiguration(const Exchange& exchange, FieldCodec& codec = TheFieldCodec());
