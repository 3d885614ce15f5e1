#pragma once

#include "log_record.h"

// A log as two years of ordinary driving make one, from April 2023 to March 2025: a fill-up every
// two weeks or so, now and then a partial fill, oil changes, new tyres, an inspection and car
// washes; the km/L lower in winter, the price per litre drifting between about 160 and 185 yen.
// About 60 entries, newest first, recomputed, with the usual reminder rows. The same log on every
// run and every machine: a fixed seed, the generator's raw numbers only, no clock.
LogBook TwoYearLog();
