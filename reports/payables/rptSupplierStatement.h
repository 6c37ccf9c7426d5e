// TrptSupplierStatement: the statement of account of each supplier of the
// selection over a date range: a group per supplier that opens with its
// balance before the range, one line per row of the range (date, history,
// complement, debit or credit, running balance) and a rule as footer.  The
// rows come from the host's TnExtratoFornecedor; the report walks them and
// keeps the running balance.
#pragma once

#include <memory>
#include <string>

#include "host/biz/extrato.h"
#include "host/core/datetime.h"
#include "host/report/base_dll.h"
#include "reports/payables/ExtratoUtil.h"

namespace vireo {

class TrptSupplierStatement : public TnrwBaseDll {
 public:
  using Secao = TnSecoesExtrato::Secao;

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptSupplierStatement() override;

  std::string Versao() override;  // "[versao: 1.1.89.0]"
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void LerParametros();
  void DepoisImprimir(TObject* Sender, int Section);

  std::unique_ptr<TnExtratoFornecedor> FExtrato;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  std::string FParCodigoFornecedor;
  std::string FParCodigoEscrit;
  double FSaldoAnterior = 0;
};

}  // namespace vireo
