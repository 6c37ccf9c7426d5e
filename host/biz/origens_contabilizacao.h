// Origin kinds of the accounting entries that the modules generate when they
// post their documents: the code stored with each generated entry's document
// link, its description, and the choice list the parameter panels offer.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

// The codes, 0 to 8.  Settlements come in three kinds, one per purpose of
// the settlement (FPRACERTO.FINALIDADEACERTO 1, 2, 3).
enum TOrigemContabilizacao {
  ocContasReceber = 0,
  ocContasPagar = 1,
  ocAcertoRecebimento = 2,   // settlement of purpose 1
  ocAcertoPagamento = 3,     // purpose 2
  ocAcertoMovimentacao = 4,  // purpose 3
  ocNotaServico = 5,
  ocVenda = 6,
  ocOrcamentoObra = 7,
  ocNotaEntrada = 8,
};

constexpr int kPrimeiraOrigemContabilizacao = ocContasReceber;
constexpr int kUltimaOrigemContabilizacao = ocNotaEntrada;

// The choice list of an origin parameter: one line "code=description" per
// kind, codes 0 to 8 in order, lines joined by "\n".
VIREO_API std::string OpcoesContabilizacaoGerar();

class VIREO_API TFprListDescricao {
 public:
  // "Contas a Receber", "Acerto de Pagamento", ...; "" for an unknown code.
  static std::string DescricaoGerarContabilizacao(int tipo);
  // The short form for narrow columns: "Receber", "Acerto Pag.", ...; ""
  // for an unknown code.
  static std::string DescricaoGerarContabilizacaoAbrev(int tipo);
  // The status of a cheque (FPRCHEQUE.STATUSCHEQUE, CHEQUEDETALHE): 1
  // "Cadastrado", 2 "Depositado", 3 "Compensado", 4 "Devolvido", 5
  // "Cancelado", 6 "Repassado"; "" for any other code.
  static std::string GetDscStatusCheque(int status);
};

}  // namespace vireo
