// What the two cheque lists (issued and received) share: the company
// mapper and header, the parameters both read, opening their two queries,
// and the company filter of the cheque walk.
#pragma once

#include <string>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "reports/vouchers/ChequesSQL.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnrwReport;

struct TMapEmp {
  TField* CODIGOPESSOAFIN{};
  TField* NOME{};
  TField* INSCFEDERAL{};
  VIREO_MAPPER(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL)
};

extern const char kMascaraValorCheque[];   // "#,##0.00"
extern const char kMascaraNumeroCheque[];  // "000000"
extern const char kMsgPeriodoCheque[];     // start after end

// The parameters both lists read: companies, number, statuses and period.
// A number that is no number reads as 0 (no filter); a bad date raises
// EnParam naming its parameter.
void LerFiltroCheques(const TnrwReport& report, TnFiltroCheques& filtro);

// Raises kMsgPeriodoCheque when the period ends before it starts.
void ValidarPeriodoCheques(const TnFiltroCheques& filtro);

// Runs the company query, then the cheque query.  A database failure of
// either leaves both null, is listed as a warning with the database's
// message and answers false: the list then prints nothing.  Other errors
// (a refused selection) pass on.
bool AbrirConsultasCheque(TnrwReport& report, const std::string& sql_empresas,
                          const std::string& sql_cheques, TnClientDataSet*& empresas,
                          TnClientDataSet*& cheques);

// pNomeEmpresa and pInscrFederal of the current company row; both empty
// when the companies print together.
void CabecalhoEmpresaCheque(TnrwReport& report, const std::string& codigo_escrit,
                            const TMapEmp& empresa);

// The cheques of one company (all when the companies print together).
void FiltrarChequesEmpresa(TnClientDataSet& cheques, const std::string& codigo_escrit,
                           int64_t empresa);

// Empties the line variables R1 to R7.
void EsvaziarLinhaCheque(TnrwReport& report);

// A total line: T1 the description, T2 the amount, in section `secao`.
void ImprimirTotalCheque(TnrwReport& report, int secao, const std::string& descricao, double valor);
// The total of an expected date, on a line emptied of the cheque's columns.
void ImprimirTotalDataCheque(TnrwReport& report, int secao, TDateTime data, double valor);

}  // namespace vireo
