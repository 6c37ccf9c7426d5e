#include "reports/balances/rptTrialBalanceCentreAccount.h"

#include <cmath>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/balancete.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/balances/BalanceteCentroCusto.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo::centro_conta {

std::vector<int> TrptTrialBalanceCentreChart::CriarListaSectionsParaZebrar() {
  return {kLinhaConta, kLinhaCentroCusto};
}

void TrptTrialBalanceCentreChart::Imprimir() {
  IniciarImpressao(kMesclaCentroConta);
  Fclasse.clear();
  PercorrerPlano(FBalancete->PlanoCentrosCusto()->Filhos(),
                 [this](IPlanoItem* item) { ImprimirItem(item); });
}

void TrptTrialBalanceCentreChart::ImprimirItem(IPlanoItem* item) {
  const bool quebrou = QuebrarGrupo(FReport, FQuebrarPorGrupo, Fclasse, item->Classificacao());
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  if (FPularLinhaCadaSintetica && item->Sintetico() && FPos > 0 && !quebrou) LinhaEmBranco();
  ++FPos;

  auto* saldo = dynamic_cast<IPlanoItemSaldo*>(item);
  FReport->SetValues("R3", item->Classificacao() + "  " + item->Descricao());
  FReport->SetValues("R4", FormatarValorBalancete(item->SaldoAnterior()));
  FReport->SetValues("R5", FormatarValorBalancete(saldo ? saldo->Debito() : 0));
  FReport->SetValues("R6", FormatarValorBalancete(saldo ? saldo->Credito() : 0));
  FReport->SetValues("R7",
                     FormatarValorBalancete(saldo ? saldo->SaldoAtual() : item->SaldoAnterior()));
  FReport->RepPrintSection(kLinhaCentroCusto);

  for (const TnItensAnalitico& conta : FBalancete->RetornaListaAnalitica(item->Codigo())) {
    FReport->SetValues("R3", FormatFloat("00000", static_cast<double>(conta.Codigo)) + "  " +
                                 conta.Classificacao + "  " + conta.Descricao);
    FReport->SetValues("R4", FormatarValorBalancete(conta.SaldoAnterior));
    FReport->SetValues("R5", FormatarValorBalancete(std::fabs(conta.Debito)));
    FReport->SetValues("R6", FormatarValorBalancete(std::fabs(conta.Credito)));
    FReport->SetValues("R7", FormatarValorBalancete(conta.SaldoAtual));
    FReport->RepPrintSection(kLinhaConta);
  }
}

void TrptTrialBalanceCentreChart::LinhaEmBranco() {
  LimparColunas(FReport);
  FReport->RepPrintSection(kLinhaConta);
}

VIREO_REGISTER_REPORT(TrptTrialBalanceCentreChart)

}  // namespace vireo::centro_conta
