// TrptPayments: the payments posted on payable titles in a range, by
// supplier or by payment date.
//
// Each payment shows the title's due date and amount, the amount paid,
// interest plus fine, discount and the net paid, with totals per group and
// for the report.  The user may keep only payments settled through given
// cash accounts, and show the title's account instead of its invoice
// number.
#pragma once

#include <string>
#include <vector>

#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

// Totals of a group or of the report.
struct TValorTotal {
  double vlrPago = 0;
  double vlrJuroEmulta = 0;
  double vlrDesconto = 0;
  double vlrTotal = 0;
};

// What the document column shows (pExibirColuna).
enum TnExibirColuna { coDocumento = 0, coConta = 1 };

struct TMapperPagto {
  TField* QuebraCampo{};
  TField* CodigoConta{};
  TField* DescrConta{};
  TField* CODIGOESCRIT{};
  TField* NOMEEMPRESA{};
  TField* INSCFEDERAL{};
  TField* CODIGOPESSOAFIN{};
  TField* NOMEPESSOA{};
  TField* NUMERONF{};
  TField* DATAVENCIMENTOPAG{};
  TField* VALORPAG{};
  TField* HISTORICOPAG{};
  TField* DATALANCAMENTOBAIXA{};
  TField* VALORBAIXA{};
  TField* VALORJUROBAIXA{};
  TField* VALORMULTABAIXA{};
  TField* VALORDESCBAIXA{};
  VIREO_MAPPER(TMapperPagto, QuebraCampo, CodigoConta, DescrConta, CODIGOESCRIT, NOMEEMPRESA,
               INSCFEDERAL, CODIGOPESSOAFIN, NOMEPESSOA, NUMERONF, DATAVENCIMENTOPAG, VALORPAG,
               HISTORICOPAG, DATALANCAMENTOBAIXA, VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA,
               VALORDESCBAIXA)
};

class TrptPayments : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunasFornecedor = 8,
    kLinhaFornecedor = 9,
    kTitulosColunasData = 10,
    kLinhaData = 11,
    kObservacao = 12,
    kCabecalhoFornecedor = 13,
    kCabecalhoData = 14,
    kTotalGrupoFornecedor = 15,
    kTotalGeralFornecedor = 16,
    kTotalGrupoData = 17,
    kTotalGeralData = 18,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptPayments() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void CarregarParametros();
  void VerificarContasSinteticas();
  void PreencherTitulos();
  void ImprimirCabecalhoGrupo(const TMapperPagto& m);
  void ImprimirLinha(const TMapperPagto& m);
  void ImprimirTotal(const TValorTotal& valor, int secao);
  void DepoisImprimir(TObject* Sender, int Section);
  bool PorFornecedor() const { return FTipoQuebra == 0; }

  std::string FCodigoEscrit;
  std::string FCodigoFornecedor;
  std::string FCodigoConta;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  int FTipoQuebra = 0;
  TnClientDataSet* FcdsPagamento = nullptr;
  TValorTotal FvalorPorGrupo;
  TValorTotal FvalorTotal;
  TnExibirColuna FExibirColuna = coDocumento;
};

}  // namespace vireo
