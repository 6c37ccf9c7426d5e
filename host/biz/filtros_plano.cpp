#include "host/biz/filtros_plano.h"

#include <cstdint>
#include <vector>

#include "host/biz/balance/chart_of_accounts.h"
#include "host/data/selection.h"

namespace vireo {

namespace {

std::string FiltroPorTipo(biz::ChartOfAccounts (*carregar)(), const std::string& selecao,
                          const std::string& parametro, const std::string& coluna) {
  ParseSelection(selecao, parametro);
  const biz::ChartOfAccounts plano = carregar();
  biz::Notes notas;
  const std::vector<bool> escolhidos = biz::ChosenAnalytics(plano, selecao, parametro, notas);
  std::vector<int64_t> codigos;
  for (size_t i = 0; i < escolhidos.size(); ++i) {
    if (escolhidos[i]) codigos.push_back(plano.Accounts()[i].code);
  }
  if (codigos.empty()) return "(1=0)";
  return FilterInterval(coluna, biz::SelectionOf(codigos), {1}, false, 0);
}

}  // namespace

std::string MontarFiltroContasPorTipo(const std::string& selecao, const std::string& alias) {
  return FiltroPorTipo(&biz::ChartOfAccounts::Load, selecao, "pCodigoConta",
                       alias + ".CODIGOCONTA");
}

std::string MontarFiltroCentrosCustoPorTipo(const std::string& selecao, const std::string& alias) {
  return FiltroPorTipo(&biz::ChartOfAccounts::LoadCostCentres, selecao, "pCodigoCentroCusto",
                       alias + ".CODIGOCENTROCUSTO");
}

}  // namespace vireo
