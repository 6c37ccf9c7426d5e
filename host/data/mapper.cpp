// Binding of mapper members to dataset fields.
#include "host/data/mapper.h"

#include "host/core/exception.h"
#include "host/data/dataset.h"

namespace vireo {

void TnMapperBinder::Bind(const char* member, TField*& slot) {
  if (!dataset_) {
    throw Exception(std::string("O mapeador ") + mapper_name_ +
                    " foi ligado a um conjunto de dados nulo.");
  }
  slot = dataset_->FindField(member);
  if (!slot) {
    throw Exception(std::string("O mapeador ") + mapper_name_ + " pede o campo '" + member +
                    "', que não existe no conjunto de dados.");
  }
}

}  // namespace vireo
