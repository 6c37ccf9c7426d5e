// TrptCashFlowComparison: forecast and realised cash flow side by side, for
// one company or all companies together, over a date range.
//
// Per company: the current-account block, the opening balance, one line per
// day with the amounts to receive, received, to pay and paid and two running
// balances (without and with the credit limit, or the forecast and the
// realised balance, as the user chooses), and a total line; optionally the
// balances as a chart of up to three series.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/cashflow/FluxoCaixaComum.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnDadosContasCorrentes;
class TnItensFluxoCaixa;
class TnpqChart;

// Which two balances the day lines show (pColunaExibir).
enum TnColunaExibir : int { coSaldoLimite = 0, coSaldoPrevistoRealizado = 1 };

class TrptCashFlowComparison : public TnrwBaseDll {
 public:
  using Secao = TnSecaoFluxoCaixa;

  struct TMapLst {
    TField* Data{};
    TField* Receber{};
    TField* Recebido{};
    TField* Pagar{};
    TField* Pago{};
    TField* Descricao{};
    VIREO_MAPPER(TMapLst, Data, Receber, Recebido, Pagar, Pago, Descricao)
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptCashFlowComparison() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void CriarDataSets();
  void LerParametros();
  bool ImprimirEmpresa(int64_t codigo);
  void Zerar();
  void CarregarEMesclar(int64_t codigo_escrit);
  void SaldoInicial();
  void ImprimirLinhaSaldoAnterior();
  void PercorrerDias();
  void PassoDia(TMapLst& dia);
  void AdicionarPontos(const std::string& rotulo);
  std::string Saldo1() const;
  std::string Saldo2() const;
  void ImprimirLinhaTotal();

  TnTipoRelat FTipoRelatorio = trRelatorio;
  TnColunaExibir FColunaExibir = coSaldoLimite;
  TnpqChart* FChart = nullptr;
  std::string FCodigoEscrit;
  std::string FCodigoConta;
  std::string FOrigemLcto;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  double FReceber = 0;
  double FPagar = 0;
  double FRecebido = 0;
  double FPago = 0;
  double FLimite = 0;
  double FSaldo = 0;
  double FSaldoLimite = 0;
  double FSaldoInicial = 0;
  double FSaldoInicialComLimite = 0;
  TnClientDataSet* FCdsEmpresa = nullptr;
  std::unique_ptr<TnClientDataSet> FCdsTituloData;
  std::unique_ptr<TnItensFluxoCaixa> FItensFluxoCaixa;
  std::unique_ptr<TnDadosContasCorrentes> FDadosCC;
  double FSaldoPrevisto = 0;
  double FSaldoRealizado = 0;
};

}  // namespace vireo
