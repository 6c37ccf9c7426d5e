// TrptReceipts: the receipts posted on receivable titles in a range, by
// customer or by receipt date.
//
// Each receipt shows the title's document, due date and amount, the amount
// received, interest plus fine, discount, the bank fee and the net received
// (the fee is shown, not deducted), with totals per group and for the
// report.
#pragma once

#include <string>
#include <vector>

#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TMapperRecebimentos {
  TField* CAMPOQUEBRA{};
  TField* CODIGOESCRIT{};
  TField* NOMEEMPRESA{};
  TField* INSCRFEDERALEMPRESA{};
  TField* CODIGOCLIENTE{};
  TField* NOMECLIENTE{};
  TField* DATARECEBIMENTO{};
  TField* RECEBIDO{};
  TField* JURO{};
  TField* MULTA{};
  TField* DESCONTO{};
  TField* TARIFA{};
  TField* DOCUMENTO{};
  TField* DATAVENCIMENTO{};
  TField* RECEBER{};
  VIREO_MAPPER(TMapperRecebimentos, CAMPOQUEBRA, CODIGOESCRIT, NOMEEMPRESA, INSCRFEDERALEMPRESA,
               CODIGOCLIENTE, NOMECLIENTE, DATARECEBIMENTO, RECEBIDO, JURO, MULTA, DESCONTO, TARIFA,
               DOCUMENTO, DATAVENCIMENTO, RECEBER)
};

class TrptReceipts : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunasCliente = 8,
    kLinhaCliente = 9,
    kTitulosColunasData = 10,
    kLinhaData = 11,
    kReservada = 12,  // zebra only; the layout prints nothing there
    kCabecalhoCliente = 13,
    kCabecalhoData = 14,
    kTotalGrupo = 15,
    kTotalGeral = 16,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptReceipts() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void LerParametros();
  void ZerarTotaisGrupo();
  void ImprimirCabecalhoGrupo();
  void ImprimirLinha();
  void Somar();
  void ImprimirTotais(double recebido, double multa_juro, double desconto, double tarifa,
                      double total, int secao);
  void DepoisImprimir(TObject* Sender, int Section);

  TnClientDataSet* FCdsRecebimentos = nullptr;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  int FParTipoQuebra = 0;
  std::string FParCodigoCliente;
  std::string FParCodigoEscrit;
  TMapperRecebimentos* FMapperRecebimentos = nullptr;  // the dataset's
  double FTotalRecebido = 0, FTotalMultaJuro = 0, FTotalDesconto = 0, FTotalTarifa = 0,
         FTotalTotal = 0;
  double FTotalPeriodoRecebido = 0, FTotalPeriodoMultaJuro = 0, FTotalPeriodoDesconto = 0,
         FTotalPeriodoTarifa = 0, FTotalPeriodoTotal = 0;
};

}  // namespace vireo
