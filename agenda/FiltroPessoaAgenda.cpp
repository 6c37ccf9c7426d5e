#include "agenda/FiltroPessoaAgenda.h"

#include "host/core/convert.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/scheduler/agenda_lookups.h"

namespace vireo {
namespace {

constexpr int kConexaoSQLServer = 2;
// A condition no person meets: a group without persons offers nobody.
constexpr const char* kNenhumaPessoa = "(1 = 0)";

std::string Juntar(const std::string& filtro, const std::string& condicao) {
  return filtro + (filtro.empty() ? "" : " AND ") + condicao;
}

}  // namespace

std::string SubConsultaPessoasGrupo(int grupo) {
  if (grupo == kGrupoPessoaInteressado) {
    const std::string acesso = FiltroAcessoInteressadoImobiliario();
    return "SELECT DISTINCT CODIGOPESSOAFIN FROM INTERESSADO " +
           (acesso.empty() ? std::string() : " where " + acesso);
  }
  return "SELECT CODIGOPESSOAFIN FROM PESSOAGRUPO WHERE TIPOGRUPOPESSOA = " + ValorParaSQL(grupo);
}

std::string FiltroPessoaGrupo(const std::string& filtro, const std::string& grupo, int tipo_con) {
  const int k = StrToIntDef(grupo, kGrupoPessoaTodos);
  if (k == kGrupoPessoaTodos) return filtro;
  const std::string sub = SubConsultaPessoasGrupo(k);
  if (tipo_con == kConexaoSQLServer) return Juntar(filtro, "(CODIGOPESSOAFIN IN (" + sub + "))");
  TnClientDataSet* pessoas = ExecutarSQL(sub, {}, true, false, -1, "", nullptr, true);
  TnSQLGuard guarda(pessoas);
  std::string lista;
  TField* codigo = pessoas->Fields(0);
  for (pessoas->First(); !pessoas->Eof(); pessoas->Next()) {
    if (codigo->IsNull()) continue;
    lista += (lista.empty() ? "" : " or ") + ("(CODIGOPESSOAFIN = " + codigo->AsString() + ")");
  }
  return Juntar(filtro, lista.empty() ? kNenhumaPessoa : "(" + lista + ")");
}

}  // namespace vireo
