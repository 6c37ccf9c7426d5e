#include "host/report/report_utils.h"

#include "host/core/text.h"
#include "host/data/dataset.h"

namespace vireo {

std::string PegarGrupoClassif(const std::string& classificacao) {
  const std::string text = Trim(classificacao);
  return text.substr(0, text.find('.'));
}

std::string CarregarLogoEmpresa(const TField* logo) {
  if (logo == nullptr || logo->IsNull()) return std::string();
  return logo->AsString();
}

}  // namespace vireo
