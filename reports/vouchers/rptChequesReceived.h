// TrptChequesReceived: the cheques the companies received whose expected
// clearing date falls in a period, by expected date, one line per cheque
// (number, the person who handed it over, status, issue and expected
// dates, value), with totals per date and per company.  Companies print
// one after the other, a page each, or all together when none is chosen.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"
#include "reports/vouchers/ChequesComum.h"

namespace vireo {

class TField;
class TnClientDataSet;

// The received cheque's row: the person of its status-1 detail takes the
// places of the detail date and bank name of the issued list.
struct TMapCheRecebido {
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
  TField* CODIGOPESSOAFIN{};
  TField* NOME{};
  VIREO_MAPPER(TMapChe, CODIGOESCRIT, CODIGOCHEQUE, CODIGOBANCO, CODIGOAGENCIABANC, CODIGOCONTABANC,
               NUMEROCHEQUE, DATAEMISSAO, NOMINAL, VALOR, SITUACAO, TIPOCHEQUE, DATAPREVISAO,
               NRCONTABANC, DGCONTABANC, STATUSCHEQUE, CODIGOPESSOAFIN, NOME)
};

class TrptChequesReceived : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kCheque = 8,      // also the blank line before the company total
    kTotal = 9,       // T1, T2: a date or company total
    kCabecalho = 10,  // R7: the expected-date heading
    kReservada = 11,  // zebra only
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptChequesReceived() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;

 private:
  void LerParametros();
  void ImprimirEmpresas();
  void ImprimirCheques(int64_t empresa);
  void ImprimirDataECheque();
  void ImprimirCheque();

  int FNumeroCheque = 0;
  std::string FCodigoPessoa;
  std::string FCodigoEscrit;
  std::string FStatusCheque;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  TDateTime FDataPrevAux = 0;
  double FSomaCheque = 0;
  double FSomaTotal = 0;
  TnClientDataSet* FCdsEmpresa = nullptr;
  TnClientDataSet* FCdsCheque = nullptr;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  TMapCheRecebido* FChe = nullptr;  // the dataset's
  // Cheques printed so far (company, cheque): the query repeats a cheque
  // once per combination of its detail rows of the current status and of
  // status 1, and each is listed and counted once.
  std::set<std::pair<int64_t, int64_t>> FChequesImpressos;
};

}  // namespace vireo
