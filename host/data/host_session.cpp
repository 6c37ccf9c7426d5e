// STUB until the shared host session lands on main.
#include "host/data/host_session.h"

#include <set>

#include "host/core/text.h"
#include "host/data/sql.h"

namespace vireo {
namespace {
struct Sessao {
  int usuario = 0;
  std::optional<int> empresa;
  std::set<std::string> negados;
};
Sessao& S() {
  static Sessao s;
  return s;
}
}  // namespace

Variant TnSelecaoConexao::GetParamValue(const std::string& name) const {
  if (SameText(name, "CodigoEscrit") && S().empresa) return Variant(*S().empresa);
  return Variant();
}
bool PegarDireito(const std::string& name, int) { return S().negados.count(UpperCase(name)) == 0; }
void DefinirEmpresaAtual(std::optional<int> empresa) { S().empresa = empresa; }
void DefinirUsuario(int usuario) { S().usuario = usuario; }
void NegarDireito(const std::string& name) { S().negados.insert(UpperCase(name)); }
void RedefinirSessao() { S() = Sessao(); }
int TnDMConexao::CodigoUsuario() const { return S().usuario; }
const TnSelecaoConexao& TnDMConexao::Selecao() const {
  static TnSelecaoConexao selecao;
  return selecao;
}
}  // namespace vireo
