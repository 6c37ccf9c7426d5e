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
