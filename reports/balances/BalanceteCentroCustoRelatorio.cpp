#include "reports/balances/BalanceteCentroCustoRelatorio.h"

#include "host/biz/empresa_relatorio.h"
#include "host/data/sql.h"
#include "reports/balances/BalanceteCentroCusto.h"

namespace vireo {

TnrwBalanceteCentroCusto::~TnrwBalanceteCentroCusto() {
  if (FCdsEmpresa != nullptr) DestruirSQL(FCdsEmpresa);
}

std::string TnrwBalanceteCentroCusto::Versao() { return "[versao: 1.0.0.0]"; }

void TnrwBalanceteCentroCusto::DoParamChange(TObject*, TnpqParamItem*) {}
void TnrwBalanceteCentroCusto::DoParamEnter(TObject*, TnpqParamItem*) {}
void TnrwBalanceteCentroCusto::DoParamExit(TObject*, TnpqParamItem*) {}

void TnrwBalanceteCentroCusto::ImprimirInterno() {
  LerParametros();
  VerificarPeriodo(FDataInicial, FDataFinal);
  ImprimirComAvisoOrigem(FReport, FOrigemDados, DataSetsImpressao(), [this] { Imprimir(); });
}

void TnrwBalanceteCentroCusto::LerParametros() {
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

std::vector<TnClientDataSet**> TnrwBalanceteCentroCusto::DataSetsImpressao() {
  return {&FCdsEmpresa};
}

void TnrwBalanceteCentroCusto::IniciarImpressao(TnTipoMescla tipo, bool lista_conta_sem_rateio) {
  if (FCodigoEscrit != 0) FCdsEmpresa = ConsultarEmpresa(FCodigoEscrit);
  FBalancete =
      ProcessarBalancete({FCodigoEscrit, FCodigoConta, tipo, FDataInicial, FDataFinal, FOrigemDados,
                          FImpSaldoZero, lista_conta_sem_rateio, FFprCodigoCentroCusto});
  PreencherEmpresa(FReport, FCdsEmpresa, "pNomeEmpresa");
  FRegistro = 0;
  FTotalRegistro = FBalancete->TotalItens();
  FPos = 0;
}

}  // namespace vireo
