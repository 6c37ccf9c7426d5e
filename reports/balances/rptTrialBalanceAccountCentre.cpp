#include "reports/balances/rptTrialBalanceAccountCentre.h"

#include <algorithm>

#include "frame/nrwBaseDllReg.h"
#include "host/biz/balancete.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/balances/BalanceteCentroCusto.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

namespace {

const char kSelectMascaras[] =
    "select   CFG.MASCGRUPO1,   CFG.MASCGRUPO2,   CFG.MASCGRUPO3,   CFG.MASCGRUPO4,   "
    "CFG.MASCGRUPO5,   CFG.MASCGRUPO6,   CFG.MASCGRUPO7,   CFG.MASCGRUPO8,   CFG.MASCGRUPO9 "
    "from FPRCFGCONTA CFG ";
const int kMaxLinhasMascara = 10;
const char kFormatoNivel[] = "000";  // a level the mask does not describe

}  // namespace

std::vector<int> TrptTrialBalanceAccountCentre::CriarListaSectionsParaZebrar() {
  return {kLinhaCentroCusto, kLinhaConta};
}

void TrptTrialBalanceAccountCentre::LerParametros() {
  TnrwBalanceteCentroCusto::LerParametros();
  FListaContaSemRateio = LerBooleanoDef(FReport, "pListaContaSemRateio");
}

std::vector<TnClientDataSet**> TrptTrialBalanceAccountCentre::DataSetsImpressao() {
  return {&FCdsEmpresa, &FCdsMascConta};
}

void TrptTrialBalanceAccountCentre::Imprimir() {
  FCdsMascConta =
      ExecutarSQL(kSelectMascaras, {}, true, false, kMaxLinhasMascara, "", nullptr, true);
  IniciarImpressao(kMesclaContaCentro, FListaContaSemRateio);
  FClasse.clear();
  PercorrerPlano(FBalancete->PlanoContas()->Filhos(),
                 [this](IPlanoItem* item) { ImprimirItem(item); });
}

void TrptTrialBalanceAccountCentre::ImprimirItem(IPlanoItem* item) {
  const std::string classificacao = item->Classificacao();
  const bool quebrou = QuebrarGrupo(FReport, FQuebrarPorGrupo, FClasse, classificacao);
  FReport->CSLShowProgress(FRegistro, FTotalRegistro);
  ++FRegistro;
  if (FPularLinhaCadaSintetica && item->Sintetico() && FPos > 0 && !quebrou) LinhaEmBranco();
  ++FPos;

  PreencherValoresItem(FReport, item);

  const TnListaAnalitica& entradas = FBalancete->RetornaListaAnalitica(item->Codigo());
  const bool sem_rateio = FListaContaSemRateio && !item->Sintetico() && entradas.empty();
  FReport->RepPrintSection(sem_rateio ? kLinhaCentroCusto : kLinhaConta);

  const std::string rotulo = entradas.empty() ? "" : RotuloEntrada(classificacao);
  for (const TnItensAnalitico& entrada : entradas) {
    FReport->SetValues("R3", rotulo + "  " + entrada.Descricao);
    FReport->SetValues("R4", FormatarValorBalancete(entrada.SaldoAnterior));
    FReport->SetValues("R5", FormatarValorAbsoluto(entrada.Debito));
    FReport->SetValues("R6", FormatarValorAbsoluto(entrada.Credito));
    FReport->SetValues("R7", FormatarValorBalancete(entrada.SaldoAtual));
    FReport->RepPrintSection(kLinhaCentroCusto);
  }
}

// The cost centres of an account show one level below it: the
// classification, a dot and 1 in the width of the next level of its group's
// mask ("9.9.99.999": 1.1.01 gives 1.1.01.001).
std::string TrptTrialBalanceAccountCentre::RotuloEntrada(const std::string& classificacao) const {
  std::string formato = kFormatoNivel;
  const char primeiro = classificacao.empty() ? '\0' : classificacao[0];
  const int grupo = primeiro >= '0' && primeiro <= '9' ? primeiro - '0' : 1;
  const size_t nivel = std::count(classificacao.begin(), classificacao.end(), '.');
  if (!FCdsMascConta->IsEmpty() && grupo >= 1) {
    FCdsMascConta->First();
    const std::vector<std::string> segmentos = StrToStrArray(
        FCdsMascConta->FieldByName("MASCGRUPO" + std::to_string(grupo))->AsString(), ".");
    if (nivel + 1 < segmentos.size()) {
      formato = segmentos[nivel + 1];
      std::replace(formato.begin(), formato.end(), '9', '0');
    }
  }
  return classificacao + "." + FormatFloat(formato, 1);
}

void TrptTrialBalanceAccountCentre::LinhaEmBranco() {
  LimparColunas(FReport);
  FReport->RepPrintSection(kLinhaCentroCusto);
}

VIREO_REGISTER_REPORT(TrptTrialBalanceAccountCentre)

}  // namespace vireo
