// Open titles of the demo (demo_cashflow.cpp): receivables and payables
// still to be received and paid, for the forecast cash flow.
#pragma once

#include <cstdint>

#include "db/demo_context.h"

namespace vireo::demo {

// Titles due across the demo period and six months past it: open, partly
// paid, settled and cancelled, with and without a person.  Their own random
// sequence (from the demo seed) leaves the data of the other steps as it
// was; their codes follow the companies' last document codes.
void GenerateOpenTitles(DemoContext& context, uint32_t seed);

}  // namespace vireo::demo
