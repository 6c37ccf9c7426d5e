// Binding of mapper members to dataset fields.
#include "host/data/mapper.h"

#include <string>

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

void TnMapperBinder::BindAt(int position, TField*& slot) {
  if (!dataset_) {
    throw Exception(std::string("O mapeador ") + mapper_name_ +
                    " foi ligado a um conjunto de dados nulo.");
  }
  if (position < 0 || position >= dataset_->FieldCount()) {
    throw Exception(std::string("O mapeador ") + mapper_name_ + " pede o campo na posição " +
                    std::to_string(position + 1) + ", mas o conjunto de dados tem " +
                    std::to_string(dataset_->FieldCount()) + " campos.");
  }
  slot = dataset_->Fields(position);
}

}  // namespace vireo
