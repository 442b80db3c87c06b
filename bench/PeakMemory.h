#pragma once
// The most memory the process has held at once (resident set), in kilobytes;
// -1 where the system does not tell.

#include <cstdint>

int64_t PeakResidentKilobytes();
