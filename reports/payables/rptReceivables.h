// TrptReceivables: the accounts receivable whose due date lies in a range,
// by customer or by due date.
//
// The receivable twin of the accounts-payable listing (same models, groups
// and totals), with the customer's telephone and the collector of each title
// (the bank of its collection document, or "CARTEIRA"), and, when asked,
// the late-payment interest and fine of each title up to a reference date,
// worked out by the host's TnCalculoInadimplencia.  The panel enables the
// calculation's own parameters only while the interest option is on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/biz/calculo_inadimplencia.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TMapperContasReceber {
  TField* CAMPOQUEBRA{};
  TField* CODIGOESCRIT{};
  TField* NOMEEMPRESA{};
  TField* INSCRFEDERALEMPRESA{};
  TField* CODIGOCLIENTE{};
  TField* NOMECLIENTE{};
  TField* FONE{};
  TField* CODIGORECEBERCAB{};
  TField* CODIGORECEBER{};
  TField* DOCUMENTOREC{};
  TField* DATALANCAMENTOREC{};
  TField* DATAVENCIMENTOREC{};
  TField* SALDO{};
  TField* OBSERVACAO{};
  TField* COBRADOR{};
  TField* BAIXASFORAPERIODO{};
  VIREO_MAPPER(TMapperContasReceber, CAMPOQUEBRA, CODIGOESCRIT, NOMEEMPRESA, INSCRFEDERALEMPRESA,
               CODIGOCLIENTE, NOMECLIENTE, FONE, CODIGORECEBERCAB, CODIGORECEBER, DOCUMENTOREC,
               DATALANCAMENTOREC, DATAVENCIMENTOREC, SALDO, OBSERVACAO, COBRADOR, BAIXASFORAPERIODO)
};

class TrptReceivables : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunasCliente = 8,
    kLinhaCliente = 9,
    kTitulosColunasVencimento = 10,
    kLinhaVencimento = 11,
    kReservada = 12,  // zebra only; the layout prints nothing there
    kCabecalhoCliente = 13,
    kCabecalhoVencimento = 14,
    kTotalGrupo = 15,
    kTotalGeral = 16,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptReceivables() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  // What one title adds to the totals.
  struct TnValores {
    double valor = 0;
    double multa_juro = 0;
    double total = 0;
  };

  void LerParametros();
  void AbrirDados();
  void PreencherTitulo();
  void CriarCalculo();
  TnValores ValoresTitulo();
  void ImprimirCabecalhoGrupo();
  TnValores ImprimirLinha();
  void Somar(const TnValores& linha);
  void ImprimirTotalGrupo();
  void ImprimirTotalGeral();
  void DepoisImprimir(TObject* Sender, int Section);
  void MudouCalcularJuros();
  void MudouTipoCalculo();

  TnClientDataSet* FCdsContasReceber = nullptr;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  TDateTime FParDataBase = 0;
  int FParTipoQuebra = 0;
  int FParModelo = 0;
  int FParCodigoMoeda = 0;
  bool FParCalcularJuros = false;
  std::string FParCodigoCliente;
  std::string FParCodigoEscrit;
  TMapperContasReceber* FMapperContasReceber = nullptr;  // the dataset's
  double FTotalValor = 0;
  double FTotalMultaJuro = 0;
  double FTotalTotal = 0;
  double FTotalPeriodoValor = 0;
  double FTotalPeriodoMultaJuro = 0;
  double FTotalPeriodoTotal = 0;
  std::unique_ptr<TnCalculoInadimplencia> FCalculoInadimp;
};

}  // namespace vireo
