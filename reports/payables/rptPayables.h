// TrptPayables: the accounts payable of a range, by supplier or by due date.
//
// Lists the payable titles that were open at the end of the range
// (accounting model: still open, or settled by a payment posted after the
// end, valued at the balance plus those payments) or that are open now
// (financial model, valued at the balance), with a total per group and a
// grand total.  The range applies to the due date or to the issue date;
// the by-due-date listing shows each supplier's telephone.
#pragma once

#include <string>
#include <vector>

#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/payables/rptPayablesSQL.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TMapperContasPagar {
  TField* CAMPOQUEBRA{};
  TField* CODIGOESCRIT{};
  TField* NOMEEMPRESA{};
  TField* INSCRFEDERALEMPRESA{};
  TField* CODIGOFORNECEDOR{};
  TField* NOMEFORNECEDOR{};
  TField* CODIGOPAGARCAB{};
  TField* CODIGOPAGAR{};
  TField* DOCUMENTOPAG{};
  TField* DATALANCAMENTOPAG{};
  TField* DATAVENCIMENTOPAG{};
  TField* SALDO{};
  TField* OBSERVACAO{};
  TField* BAIXASFORAPERIODO{};
  TField* TIPODOCCAB{};
  TField* DESCRTIPODOCCAB{};
  TField* NUMERONF{};
  VIREO_MAPPER(TMapperContasPagar, CAMPOQUEBRA, CODIGOESCRIT, NOMEEMPRESA, INSCRFEDERALEMPRESA,
               CODIGOFORNECEDOR, NOMEFORNECEDOR, CODIGOPAGARCAB, CODIGOPAGAR, DOCUMENTOPAG,
               DATALANCAMENTOPAG, DATAVENCIMENTOPAG, SALDO, OBSERVACAO, BAIXASFORAPERIODO,
               TIPODOCCAB, DESCRTIPODOCCAB, NUMERONF)
};

struct TnMapperTelefone {
  TField* Valor{};
  VIREO_MAPPER(TnMapperTelefone, Valor)
};

class TrptPayables : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunasFornecedor = 8,
    kLinhaFornecedor = 9,
    kTitulosColunasVencimento = 10,
    kLinhaVencimento = 11,
    kReservada = 12,  // zebra only; the layout prints nothing there
    kCabecalhoFornecedor = 13,
    kCabecalhoVencimento = 14,
    kTotalGrupo = 15,
    kTotalGeral = 16,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptPayables() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void LerParametros();
  void AbrirDados();
  void PreencherTitulo();
  std::string Telefone() const;
  double ValorTitulo() const;
  void ImprimirCabecalhoGrupo();
  void ImprimirLinha();
  void ImprimirTotalGrupo();
  void ImprimirTotalGeral();
  void DepoisImprimir(TObject* Sender, int Section);

  TnClientDataSet* FCdsTelefone = nullptr;
  TnClientDataSet* FCdsContasPagar = nullptr;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  int FParTipoQuebra = 0;
  int FParModelo = 0;
  int FParDataFiltrar = dtVencimento;
  std::string FFiltroDado;
  std::string FParCodigoFornecedor;
  std::string FParCodigoEscrit;
  TMapperContasPagar* FMapperContasPagar = nullptr;  // the dataset's
  TnMapperTelefone* FMapperTelefone = nullptr;       // the dataset's
  double FTotalValor = 0;
  double FTotalPeriodoValor = 0;
};

}  // namespace vireo
