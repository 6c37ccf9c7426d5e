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

TrptTrialBalanceCentreChart::~TrptTrialBalanceCentreChart() {
  if (FCdsEmpresa != nullptr) DestruirSQL(FCdsEmpresa);
}

std::string TrptTrialBalanceCentreChart::Versao() { return "[versao: 1.0.0.0]"; }

std::vector<int> TrptTrialBalanceCentreChart::CriarListaSectionsParaZebrar() {
  return {kLinhaConta, kLinhaCentroCusto};
}

void TrptTrialBalanceCentreChart::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptTrialBalanceCentreChart::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptTrialBalanceCentreChart::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptTrialBalanceCentreChart::ImprimirInterno() {
  LerParametros();
  VerificarPeriodo(FDataInicial, FDataFinal);
  ImprimirComAvisoOrigem(FReport, FOrigemDados, {&FCdsEmpresa}, [this] { Imprimir(); });
}

void TrptTrialBalanceCentreChart::LerParametros() {
  FCodigoEscrit = LerCodigoEscrit(FReport);
  FDataInicial = LerData(FReport, "pDataInicial");
  FDataFinal = LerData(FReport, "pDataFinal");
  FQuebrarPorGrupo = LerBooleano(FReport, "pQuebrarPorGrupo");
  FPularLinhaCadaSintetica = LerBooleano(FReport, "pPularLinhaCadaSintetica");
  FImpSaldoZero = LerBooleano(FReport, "pImpSaldoZero");
  FOrigemDados = LerSelecao(FReport, "pOrigemDados");
  FCodigoConta = LerSelecao(FReport, "pCodigodaConta");
  FFprCodigoCentroCusto = LerSelecao(FReport, "pFprCodigoCentroCusto");
}

void TrptTrialBalanceCentreChart::Imprimir() {
  if (FCodigoEscrit != 0) FCdsEmpresa = ConsultarEmpresa(FCodigoEscrit);
  CriarBalancete();
  PreencherEmpresa(FReport, FCdsEmpresa, "pNomeEmpresa");
  FRegistro = 0;
  FTotalRegistro = FBalancete->TotalItens();
  FPos = 0;
  Fclasse.clear();
  PercorrerPlano(FBalancete->PlanoCentrosCusto()->Filhos(),
                 [this](IPlanoItem* item) { ImprimirItem(item); });
}

void TrptTrialBalanceCentreChart::CriarBalancete() {
  FBalancete =
      ProcessarBalancete({FCodigoEscrit, FCodigoConta, kMesclaCentroConta, FDataInicial, FDataFinal,
                          FOrigemDados, FImpSaldoZero, false, FFprCodigoCentroCusto});
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
