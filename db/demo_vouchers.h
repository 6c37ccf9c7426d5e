// Demo data of the statements and vouchers: documents of several
// installments settled together, in part or not at all, and the receipt
// numbers of every settlement that paid or received from a person.
#pragma once

#include <cstdint>

namespace vireo::demo {

class DemoContext;

// Runs after the accounting step, on a random sequence of its own (from
// `seed`), so the rows the earlier steps write stay as they were.
void GenerateVouchers(DemoContext& context, uint32_t seed);

}  // namespace vireo::demo
