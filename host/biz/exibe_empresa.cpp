#include "host/biz/exibe_empresa.h"

#include <vector>

#include "host/data/selection.h"

namespace vireo {

bool ExibeEmpresaRel(const std::string& selection) {
  const std::vector<TnSelectionItem> items = ParseSelection(selection, "pCodigoEscrit");
  if (items.empty()) return false;
  const int64_t company = items.front().low;
  for (const TnSelectionItem& item : items)
    if (item.low != company || item.high != company) return false;
  return true;
}

}  // namespace vireo
