#include "reports/balances/BalanceteCentroCusto.h"

#include <cmath>

#include "host/biz/plano_item.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/labels.h"
#include "host/report/params.h"
#include "reports/balances/BalanceteUtil.h"

namespace vireo {

int64_t LerCodigoEscrit(TnrwReport* report) {
  return StrToInt64Def(Trim(report->RepParam("pCodigoEscrit")), 0);
}

TDateTime LerData(TnrwReport* report, const std::string& nome) {
  return report->Param(nome)->GetAsDate();
}

bool LerBooleano(TnrwReport* report, const std::string& nome) {
  return StrToBool(Trim(report->RepParam(nome)));
}

bool LerBooleanoDef(TnrwReport* report, const std::string& nome) {
  return StrToBoolDef(Trim(report->RepParam(nome)), false);
}

std::string LerSelecao(TnrwReport* report, const std::string& nome) {
  const std::string selecao = Trim(report->RepParam(nome));
  ParseSelection(selecao, nome);
  return selecao;
}

void VerificarPeriodo(TDateTime inicial, TDateTime final) {
  if (final < inicial) throw Exception("A data inicial não pode ser maior que a data final.");
}

std::string FormatarValorAbsoluto(double valor) {
  return FormatFloat("#,##0.00", std::fabs(valor));
}

std::unique_ptr<TnBalancete> ProcessarBalancete(const TnEntradasBalancete& e) {
  auto balancete = std::make_unique<TnBalancete>();
  balancete->SetCodigoEscrit(e.CodigoEscrit);
  balancete->SetCodigoConta(e.CodigoConta);
  balancete->SetTipoMescla(e.Tipo);
  balancete->SetDataInicial(e.DataInicial);
  balancete->SetDataFinal(e.DataFinal);
  balancete->SetOrigemDados(e.OrigemDados);
  balancete->SetImpSaldoZero(e.ImpSaldoZero);
  balancete->SetListaContaSemRateio(e.ListaContaSemRateio);
  balancete->SetCodigoCentroCusto(e.CodigoCentroCusto);
  balancete->ProcessarDados();
  return balancete;
}

void ImprimirComAvisoOrigem(TnrwReport* report, const std::string& origem,
                            const std::vector<TnClientDataSet**>& datasets,
                            const std::function<void()>& corpo) {
  auto finalizar = [&] {
    for (TnClientDataSet** dataset : datasets) DestruirSQL(*dataset);
    MostrarMensagensBalancete(report, "", origem);
  };
  try {
    corpo();
  } catch (...) {
    finalizar();
    throw;
  }
  finalizar();
}

bool QuebrarGrupo(TnrwReport* report, bool quebrar, std::string& classe,
                  const std::string& classificacao) {
  const std::string nova = classificacao.substr(0, 1);
  const bool quebra = !classe.empty() && nova != classe && quebrar;
  if (quebra) report->RepEndOfPage(true);
  classe = nova;
  return quebra;
}

void PreencherValoresItem(TnrwReport* report, IPlanoItem* item) {
  auto* saldo = dynamic_cast<IPlanoItemSaldo*>(item);
  report->SetValues("R3", item->Classificacao() + "  " + item->Descricao());
  report->SetValues("R4", FormatarValorBalancete(item->SaldoAnterior()));
  report->SetValues("R5", FormatarValorAbsoluto(saldo != nullptr ? saldo->Debito() : 0));
  report->SetValues("R6", FormatarValorAbsoluto(saldo != nullptr ? saldo->Credito() : 0));
  report->SetValues(
      "R7", FormatarValorBalancete(saldo != nullptr ? saldo->SaldoAtual() : item->SaldoAnterior()));
}

void LimparColunas(TnrwReport* report) {
  for (const char* nome : {"R1", "R2", "R3", "R4", "R5", "R6", "R7"}) report->SetValues(nome, "");
}

void EstiloSecao(TnrwReport* report, int secao, bool negrito) {
  const TFontStyles estilo = negrito ? TFontStyles{fsBold} : TFontStyles{};
  for (int i = 0; i < report->GetObjectCount(); ++i) {
    auto* label = dynamic_cast<TnpqLabel*>(report->GetObjects(i));
    if (label != nullptr && label->Section() == secao) label->SetFontStyle(estilo);
  }
}

}  // namespace vireo
