#include "host/biz/exibe_empresa.h"

#include <vector>

#include "host/data/selection.h"

namespace vireo {

bool ExibeEmpresaRel(const std::string& selection) {
  const std::vector<TnSelectionItem> items = ParseSelection(selection, "pCodigoEscrit");
  if (items.empty()) return false;
  for (const TnSelectionItem& item : items) {
    if (item.low != items.front().low || item.high != items.front().low) return false;
  }
  return true;
}

}  // namespace vireo
