// What the supplier and the customer statement share: the sections of their
// layouts, the balance step and the walk over the rows of the host's
// statement entity (one group per person: header, lines, footer).
#pragma once

#include <string>

#include "host/core/datetime.h"

namespace vireo {

class TnClientDataSet;
class TnrwReport;
struct TMapDds;

struct TnSecoesExtrato {
  enum Secao : int {
    kCabecalhoPagina = 1,
    kTitulosColunas = 8,  // after every page header
    kLinha = 9,
    kCabecalhoGrupo = 10,  // the person's opening row
    kRodapeGrupo = 11,
  };
};

// How one statement differs from the other.
struct TnVariacaoExtrato {
  const char* titulo;            // "Extrato Fornecedor entre "
  const char* codigo_exibir;     // pCodigoFornecedorExibir
  const char* descricao;         // pDescFornecedor
  const char* lado_que_diminui;  // the side that lowers the balance
};

// The message of a start date after the end date.
extern const char kMsgDatasExtrato[];

// The statement's date range from the panel (0 for a text that is not a
// date).
void LerPeriodoExtrato(TnrwReport* report, TDateTime& inicio, TDateTime& fim);
// Raises with kMsgDatasExtrato when the end comes before the start.
void ConferirPeriodoExtrato(TDateTime inicio, TDateTime fim);

// Prints the rows of `dados` (not empty), keeping the running balance of
// the current person in `saldo`.
void ImprimirExtrato(TnrwReport* report, TnClientDataSet* dados, const TnVariacaoExtrato& variacao,
                     TDateTime inicio, TDateTime fim, const std::string& codigo_escrit,
                     double& saldo);

}  // namespace vireo
