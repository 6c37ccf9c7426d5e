// STUB until the shared host session lands on main: the logged-in user,
// the current company and the rights, with the announced names.
#pragma once

#include <optional>
#include <string>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

class VIREO_API TnSelecaoConexao {
 public:
  Variant GetParamValue(const std::string& name) const;
};

VIREO_API bool PegarDireito(const std::string& name, int value);
VIREO_API void DefinirEmpresaAtual(std::optional<int> empresa);
VIREO_API void DefinirUsuario(int usuario);
VIREO_API void NegarDireito(const std::string& name);
VIREO_API void RedefinirSessao();

}  // namespace vireo
