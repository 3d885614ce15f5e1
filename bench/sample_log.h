#pragma once

#include <string>

#include "log_record.h"

// A log as years of driving make one, the same for every run: mostly fill-ups, some partial fills
// and maintenance, the odometer rising, entries hours to days apart; newest first, recomputed,
// with the usual reminder rows.
LogBook SampleLog(int entries);

// Saves SampleLog(entries) at `path`; false when it could not be written.
bool WriteSampleLog(const std::string& path, int entries);
