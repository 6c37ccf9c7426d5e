// The rows of a supplier or customer statement worked out from the titles
// and settlements of the persons, without the database: what TnExtrato
// (extrato.h) fills its dataset with.  See extrato.h for the rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

// What a title and a settlement have in common: the installment they
// belong to.
struct VIREO_API TnParcelaExtrato {
  int64_t empresa = 0;    // CODIGOESCRIT
  int64_t cabecalho = 0;  // CODIGOPAGARCAB / CODIGORECEBERCAB
  int64_t parcela = 0;    // CODIGOPAGAR / CODIGORECEBER
  int64_t pessoa = 0;     // the installment's own CODIGOPESSOAFIN
  std::string nome_pessoa;
  // "NF 123/2": the document (or the header code) and the installment number.
  std::string documento;
};

struct VIREO_API TnTituloExtrato : TnParcelaExtrato {
  TDateTime data = 0;  // entry date
  double valor = 0;
  std::string historico;
};

struct VIREO_API TnBaixaExtrato : TnParcelaExtrato {
  int64_t acerto = 0;  // CODIGOACERTO
  int64_t baixa = 0;   // CODIGOPAGARBAIXA / CODIGORECEBERBAIXA
  TDateTime data = 0;  // DATALANCAMENTOBAIXA
  double valor = 0;    // VALORBAIXA
  double juros = 0;
  double multa = 0;
  double desconto = 0;
};

// Which texts and sides: a supplier's titles are credits and its payments
// debits; a customer's the other way round.
struct VIREO_API TnLadosExtrato {
  char lado_titulo;         // 'C' for suppliers, 'D' for customers
  std::string nome_acerto;  // "Pagamento " or "Recebimento "
};

struct VIREO_API TnLinhaExtrato {
  int64_t pessoa = 0;
  std::string nome_pessoa;
  int64_t empresa = 0;
  TDateTime data = 0;
  std::string historico;
  std::string complemento;
  double valor = 0;
  char lado = 'C';
};

// The statement rows of every person with something to show, persons in
// code order, each opening with its "Saldo anterior" row.  Rows dated after
// `fim` are ignored.
VIREO_API std::vector<TnLinhaExtrato> MontarLinhasExtrato(std::vector<TnTituloExtrato> titulos,
                                                          std::vector<TnBaixaExtrato> baixas,
                                                          TDateTime inicio, TDateTime fim,
                                                          const TnLadosExtrato& lados);

}  // namespace vireo
