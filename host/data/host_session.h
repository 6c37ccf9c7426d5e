// Who works in the host and where: the logged-in user, the company the user
// works in (the connection module's current selection) and the rights the
// user lacks.  The program sets them from its flags; without flags they come
// from VIREO_USUARIO, VIREO_EMPRESA and VIREO_SEM_DIREITOS ("A;B"), read at
// the first question.  Defaults: user 0, no current company, every right.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/core/export.h"
#include "host/core/variant.h"

namespace vireo {

// The connection module's current selection: named values such as
// "CodigoEscrit", the current company.
class VIREO_API TnSelecao {
 public:
  // Null when the name is not set; names compare without regard to case.
  Variant GetParamValue(const std::string& name) const;
  void SetParamValue(const std::string& name, const Variant& value);
  void Clear() { params_.clear(); }

 private:
  std::vector<std::pair<std::string, Variant>> params_;
};

// The session's current selection (nDMConexao().Selecao() hands out the same).
VIREO_API TnSelecao& SelecaoAtual();

VIREO_API int PegarUsuario();
VIREO_API std::optional<int> PegarEmpresaAtual();
// Whether the logged-in user holds the right; `value` is the kind of grant
// asked for, kept for the reports' calls.  Every right but the denied ones.
VIREO_API bool PegarDireito(const std::string& name, int value);

VIREO_API void DefinirUsuario(int user);
VIREO_API void DefinirEmpresaAtual(std::optional<int> company);
VIREO_API void NegarDireito(const std::string& name);
// Forgets what was set, so the next question reads the environment again.
VIREO_API void RedefinirSessao();

}  // namespace vireo
