#pragma once
// How long the command line waits for a reply. The Sensor asks its driver
// for 15 seconds, as the instrument may take that long; a script that would
// rather fail fast (a test rig, a health check) sets TR8KZ_TIMEOUT_MS to the
// milliseconds it is willing to wait.

#include "CommPortDriver.h"

#include <QString>
#include <optional>

inline constexpr const char* ReplyTimeoutVariable = "TR8KZ_TIMEOUT_MS";

// The milliseconds from the environment variable, nothing when it is not
// set. A value that is not a whole number from 1 to 3600000 raises
// UsageError.
std::optional<int32_t> ReplyTimeoutFromEnvironment();

// Drivers that wait the given milliseconds for a reply whatever the Sensor
// asks for; the factory unchanged when there is no override.
DriverFactory WithReplyTimeout(DriverFactory factory, std::optional<int32_t> milliseconds);
