#include "host/data/host_variables.h"

#include "host/core/text.h"

namespace vireo {
namespace {

TnListaVariaveis& Externas() {
  static TnListaVariaveis vars;
  return vars;
}

}  // namespace

Variant TnListaVariaveis::Valor(const std::string& name) const {
  auto it = values_.find(UpperCase(name));
  return it == values_.end() ? Variant() : it->second;
}

void TnListaVariaveis::Definir(const std::string& name, const Variant& value) {
  values_[UpperCase(name)] = value;
}

void TnListaVariaveis::Limpar(const std::string& name) { values_.erase(UpperCase(name)); }

bool TnListaVariaveis::Existe(const std::string& name) const {
  return values_.count(UpperCase(name)) != 0;
}

Variant ExternalVar(const std::string& name) { return Externas().Valor(name); }

void DefinirExternalVar(const std::string& name, const Variant& value) {
  Externas().Definir(name, value);
}

TnListaVariaveis& VariaveisModelo() {
  static TnListaVariaveis vars;
  return vars;
}

void RedefinirVariaveis() {
  Externas() = TnListaVariaveis();
  VariaveisModelo() = TnListaVariaveis();
}

}  // namespace vireo
