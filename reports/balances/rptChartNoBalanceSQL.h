// The queries of the chart of accounts without balance: the accounts (only
// synthetic ones, chosen ones with what lies below a chosen synthetic
// account, only those that never had a balance, of the chosen companies),
// currencies, the companies' bank accounts and the companies that own
// accounts.
#pragma once

#include <string>
#include <vector>

namespace vireo {

struct TnFiltroPlanoSemSaldo {
  bool SomenteSinteticas = false;
  std::string Inclusao;  // condition of the chosen accounts; empty for all
  bool ContaSemSaldo = false;
  std::string CodigoEscrit;  // selection of companies, trimmed; empty for all
};

// One account the account selection names, as the inclusion query gives it.
struct TnContaIncluida {
  std::string Codigo;
  bool Sintetica = false;
  std::string Classificacao;
};

// The accounts the selection names (code, kind, classification).
std::string SelectContasIncluidas(const std::string& codigo_conta);
// The condition over FPRCONTA C of the chosen accounts: a synthetic one
// brings every account whose classification starts with its own.  A
// selection that names no account gives "(1=0)": nothing is chosen.
std::string CondicaoInclusao(const std::vector<TnContaIncluida>& contas);

std::string SelectContasPlano(const TnFiltroPlanoSemSaldo& filtro);
std::string SelectMoedasPlano();
std::string SelectContasBancPlano();
std::string SelectEscritoriosPlano(const std::string& codigo_escrit);

}  // namespace vireo
