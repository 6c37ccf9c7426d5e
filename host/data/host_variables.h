// Variables the host's screens hand to one another: the external variables
// a screen sets before opening another (the agenda sets
// "gCodigoUsuarioDest" before its editor opens), and the data model's
// variable list, which an editor fills for the host to act on after it
// closes ("gInclusionCodigoUsuarioDest": users still to book).
#pragma once

#include <map>
#include <string>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

// Null when the variable was never set.
VIREO_API Variant ExternalVar(const std::string& name);
VIREO_API void DefinirExternalVar(const std::string& name, const Variant& value);

// The data model's variable list; names compared without regard to case.
class VIREO_API TnListaVariaveis {
 public:
  // Null when missing.
  Variant Valor(const std::string& name) const;
  void Definir(const std::string& name, const Variant& value);
  void Limpar(const std::string& name);
  bool Existe(const std::string& name) const;

 private:
  std::map<std::string, Variant> values_;
};

VIREO_API TnListaVariaveis& VariaveisModelo();

// Forgets every external and data model variable (a new session, tests).
VIREO_API void RedefinirVariaveis();

}  // namespace vireo
