// TrptPostingPreview: for one month, the documents the modules posted
// (payables, receivables, service notes, settlements, sales, works budgets,
// purchase notes) with the document's own value beside the debit and credit
// entries generated for it, company by company, so each document can be
// compared with its postings.
//
// The companies are the rows of the layout's own query (MainDataSet, with
// the column CODIGOESCRIT); the entry query runs once per company.  Each
// company with entries starts a page and closes with its totals; the print
// ends with the grand totals.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperLcto {
  TField* DataLctoCtb{};
  TField* Tipo{};
  TField* Documento{};
  TField* ValorLcto{};
  TField* ValorLctoCtb{};
  TField* ContaCtbDeb{};
  TField* DescrContaDeb{};
  TField* ContaCtbCred{};
  TField* DescrContaCred{};
  VIREO_MAPPER(TnMapperLcto, DataLctoCtb, Tipo, Documento, ValorLcto, ValorLctoCtb, ContaCtbDeb,
               DescrContaDeb, ContaCtbCred, DescrContaCred)
};

class TrptPostingPreview : public TnrwBaseDll {
 public:
  // The sections of rptPostingPreview.json.
  enum Secao : int {
    kCabecalho = 1,         // page header: company, month, column headings
    kRodape = 3,            // page footer
    kLancamento = 8,        // an entry, with its document on the first one
    kTotais = 9,            // totals of a company or of the print
    kSeparadorTotais = 10,  // the rule above the totals
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptPostingPreview() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void AntesConfigurar(TObject* parent) override;

 private:
  TDateTime LerCompetencia() const;
  void LerParametros();
  void ImprimirEmpresa(int64_t codigo_escrit);
  bool CarregarLancamentos(int64_t codigo_escrit);
  void ImprimirLancamentos();
  void ImprimirLancamento(int& tipo_anterior, std::string& documento_anterior);
  void ImprimirLado(const TField* conta, const TField* descricao, const char* var_conta,
                    const char* var_valor, double& total);
  void ImprimirTotais(const std::string& descricao, double lcto, double cred, double deb);

  TDateTime FCompetencia = 0;
  std::string FDescrContaDeb;
  std::string FDescrContaCred;
  std::string FTipo;
  TnClientDataSet* FCdsLcto = nullptr;
  TnMapperLcto* FLcto = nullptr;  // the dataset's
  double FTotalGeralLcto = 0;
  double FTotalGeralCred = 0;
  double FTotalGeralDeb = 0;
  double FTotalEscritLcto = 0;
  double FTotalEscritCred = 0;
  double FTotalEscritDeb = 0;
  bool FOldEscritTemLcto = false;
  int FOrdenar = 0;
  std::string FSQLLcto;
  // Documents of the company whose value was counted already: a document
  // whose entries fall on several dates shows again under each date, but
  // its value counts once.
  std::set<std::pair<int, std::string>> FDocumentosContados;
};

}  // namespace vireo
