// The faults that the demo generator plants in its generated accounting
// entries (FPRLCTOCTB) and their cost-centre allocations (FPRLCTOGER), so
// that the checks of those entries have something to find.  The generator
// returns them in DemoSummary::accounting_faults; the same options always
// plant the same faults on the same documents.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

struct DemoAccountingFault {
  enum Kind {
    kUnbalancedDocument,  // the document's debits and credits differ
    kAllocationMismatch,  // an entry's allocations do not add up to its value
    kMissingAllocation,   // an entry on a revenue or expense account has none
  };
  Kind kind = kUnbalancedDocument;
  int company = 0;  // CODIGOESCRIT
  int origin = 0;   // origin kind of the document, 0 to 8
  // Receivables (origin 0) live in two tables, one per product kind: 0 for
  // CONTARECEBER, 2 for FPRCONTARECEBERCAB.  -1 for the other origins.
  int product = -1;
  std::string document;  // the document's code as text (service notes: series and number)
  int entry = 0;         // FPRCHAVELCTOCTB of the entry at fault; 0 for a document
  TDateTime date = 0;    // date of the document's entries

  // Whether a host of that product kind sees the document among its origins.
  bool SeenByProduct(int product_kind) const {
    return origin != 0 || product == (product_kind == 0 ? 0 : 2);
  }
};

}  // namespace vireo
