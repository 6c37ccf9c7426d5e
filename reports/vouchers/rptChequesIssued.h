// TrptChequesIssued: the cheques the companies issued whose expected
// clearing date falls in a period, by bank account and expected date, one
// line per cheque (number, payee, status, issue and expected dates, value,
// date of the latest detail of its status), with totals per date, per bank
// account and per company.  Companies print one after the other, a page
// each, or all together in one list when none is chosen.
#pragma once

#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/vouchers/ChequesComum.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TMapChe {
  TField* CODIGOESCRIT{};
  TField* CODIGOCHEQUE{};
  TField* CODIGOBANCO{};
  TField* CODIGOAGENCIABANC{};
  TField* CODIGOCONTABANC{};
  TField* NUMEROCHEQUE{};
  TField* DATAEMISSAO{};
  TField* NOMINAL{};
  TField* VALOR{};
  TField* SITUACAO{};
  TField* TIPOCHEQUE{};
  TField* DATAPREVISAO{};
  TField* NRCONTABANC{};
  TField* DGCONTABANC{};
  TField* STATUSCHEQUE{};
  TField* DATADETALHE{};
  TField* NOMEBANCO{};
  VIREO_MAPPER(TMapChe, CODIGOESCRIT, CODIGOCHEQUE, CODIGOBANCO, CODIGOAGENCIABANC, CODIGOCONTABANC,
               NUMEROCHEQUE, DATAEMISSAO, NOMINAL, VALOR, SITUACAO, TIPOCHEQUE, DATAPREVISAO,
               NRCONTABANC, DGCONTABANC, STATUSCHEQUE, DATADETALHE, NOMEBANCO)
};

class TrptChequesIssued : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kCheque = 8,
    kTotal = 9,       // T1, T2: a date, bank account or company total
    kCabecalho = 10,  // R7: a bank account or expected-date heading, or a blank line
    kReservada = 11,  // zebra only
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptChequesIssued() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

  // The condition the bank-account lookup adds: the accounts of the
  // company the user is working in.  Empty without a current company.
  std::string SQLAdicionalContaBanc() const;

 private:
  void LerParametros();
  void ImprimirEmpresas();
  void ImprimirCheques(int64_t empresa);
  void ImprimirCabecalhoConta();
  void ImprimirCabecalhoData();
  void ImprimirCheque();
  void ImprimirTotalConta();

  int FNumeroCheque = 0;
  std::string FCodigoEscrit;
  std::string FNominal;
  std::string FStatusCheque;
  std::string FContaBanc;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  TDateTime FDataPrevAux = 0;
  double FSomaCheque = 0;
  double FSomaTotalConta = 0;
  double FSomaTotal = 0;
  int64_t FCodigoContaBanc = -1;
  TnClientDataSet* FCdsEmpresa = nullptr;
  TnClientDataSet* FCdsCheque = nullptr;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  TMapChe* FChe = nullptr;  // the dataset's
};

}  // namespace vireo
