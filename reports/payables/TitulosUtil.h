// What the listings of payable and receivable titles, payments and receipts
// share: the amount mask, dates of a title, the reading and checking of
// their parameters, the contact kinds that hold a telephone and the company
// header.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

class TField;
class TnrwReport;

// Amounts of every line and total.
extern const char kMascaraValorTitulo[];
std::string FormatarValorTitulo(double valor);
// "dd/mm/yyyy"; empty for a missing date.
std::string FormatarDataTitulo(const TField* campo);

// A whole-number parameter; other text raises EConvertError naming it.
int LerParamInteiro(const TnrwReport& report, const std::string& nome);
// A number parameter that reads 0 when it is no whole number.
int LerParamInteiroDef(const TnrwReport& report, const std::string& nome);
// A date parameter; 0 when it is no date.
TDateTime LerParamData(const TnrwReport& report, const std::string& nome);

// Groupings of the title listings: 0 by person, 1 by date.
enum TnTipoQuebraTitulo { tqPessoa = 0, tqData = 1 };
// Any other grouping leaves the listing without a group column, and its
// query without a meaning: refused as an error of pOrdenar.
void ValidarTipoQuebra(int tipo_quebra);
// Raises the plain error of a reversed range.
void ValidarPeriodo(TDateTime inicial, TDateTime final_);

// Valuation models of the title listings.
enum TnModeloTitulo { mtContabil = 0, mtFinanceiro = 1 };
// " - Modelo Contábil", " - Modelo Financeiro", or nothing for other values.
std::string SufixoModelo(int modelo);

// SQL literals of a date (field type date) and of an integer.
std::string DataSQL(TDateTime data);
std::string InteiroSQL(int valor);

// The contact kinds that may hold a telephone, in the order the queries
// list them: "1,2,3,5,0,4".
std::string TiposContatoTelefone();

// pNomeEmpresa and pInscrFederal from the first row when the selection
// names one company, else empty.
void PreencherEmpresa(TnrwReport& report, const std::string& codigo_escrit, const TField* nome,
                      const TField* inscr_federal);

}  // namespace vireo
