// The queries of the cheque lists (issued and received): the companies to
// print and the cheques of a range of expected clearing dates, built from
// the options the user chose.  Selections enter only through
// FilterInterval, values only as literals of ValorParaSQL.
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

// Cheque kinds of FPRCHEQUE.TIPOCHEQUE.
enum TnTipoCheque : int { kChequeEmitido = 1, kChequeRecebido = 2 };

// The status whose detail row names who handed a received cheque over.
constexpr int kStatusChequeCadastrado = 1;

struct TnFiltroCheques {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string CodigoEscrit;  // selection of companies; empty for all together
  int NumeroCheque = 0;      // 0 or less: any number
  std::string StatusCheque;  // selection of statuses
  std::string ContaBanc;     // issued: selection of bank accounts
  std::string Nominal;       // issued: part of the payee's name, any case
  std::string CodigoPessoa;  // received: selection of the persons who handed it over
};

// The companies of the selection, with name and federal tax number.
std::string SelectEmpresasCheque(const std::string& codigo_escrit);
// Issued cheques, with the date of the latest detail of their status, by
// bank account, expected date and number.
std::string SelectChequesEmitidos(const TnFiltroCheques& filtro);
// Received cheques, with the person of their status-1 detail, by expected
// date.
std::string SelectChequesRecebidos(const TnFiltroCheques& filtro);

}  // namespace vireo
