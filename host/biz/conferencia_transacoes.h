// TnConferenciaTransacoes: the financial transactions (settlements of
// receipts, payments and movements between accounts) of a period with the
// cash entries each one made, for the transaction check.  And the registry
// through which a host that already holds a list of transactions hands it
// to a report by a number (pObjetoTransacoes).
//
// A transaction is one settlement (FPRACERTO); its entries are its cash
// entries (FPRACERTOCX joined to FPRCAIXA), one TConta each, in three
// lists by the entry's ORIGEMCAIXA: the cash side (2), the titles' side
// (1; for a movement, the account the money left) and every other origin
// (interest, fine and discount, 3).  The accounts are those of the
// financial chart (FPRCONTA), so their values add up in that chart's tree.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

// Nature of an entry: 1 debit; any other value credit.
constexpr int kNaturezaDebito = 1;
constexpr int kNaturezaCredito = -1;

struct VIREO_API TConta {
  int64_t CodigoConta = 0;
  std::string Classificacao;  // of FPRCONTA; empty when the chart lacks the account
  std::string Descricao;      // likewise
  double Valor = 0;
  int Natureza = kNaturezaDebito;  // TIPOMOVCAIXA 1 debit, else credit
};

// The entry lists of a transaction, in this order.
enum TnListaConta : int { lcCaixa = 0, lcTitulos = 1, lcOutras = 2 };
constexpr int kListasConta = 3;

// FPRACERTOCX.ORIGEMCAIXA of the entries of each list.
constexpr int kOrigemCaixaTitulos = 1;
constexpr int kOrigemCaixaConta = 2;
constexpr int kOrigemCaixaEncargos = 3;  // interest, fine, discount

// FPRACERTO.FINALIDADEACERTO.
enum TnTipoOperacao : int { toRecebimento = 1, toPagamento = 2, toMovimentacao = 3 };

struct VIREO_API TTransacao {
  int64_t CodigoEscrit = 0;
  int64_t Numero = 0;  // CODIGOACERTO
  TDateTime Data = 0;  // DATAACERTO
  double Valor = 0;    // VALORACERTO
  int TipoOperacao = 0;
  std::array<std::vector<TConta>, kListasConta> Contas;  // each in CODIGOCAIXA order
};

using TListaTransacoes = std::vector<TTransacao>;

// Order of the transactions within a company.
enum TnOrdemTransacoes : int { otData = 0, otAcerto = 1, otValor = 2 };

class VIREO_API TnConferenciaTransacoes {
 public:
  // Selections in the panel's syntax ("1;3..5"); empty for every one.
  std::string CodigoEscritIncl;
  std::string TipoOperacaoIncl;
  std::string CodigoAcertoIncl;
  double ValorMinimo = 0;
  double ValorMaximo = 0;  // 0 or less: no maximum
  int Ordenar = otData;
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;

  // The settlements of the selected companies, kinds and numbers dated in
  // the period (both ends) whose value lies within the limits, by company,
  // then by the chosen order, ties by number; with their entries.  Two
  // queries whatever the number of settlements.  A selection that is not
  // one raises EnParam naming its parameter (pCodigoEscrit, pTipoOperacao,
  // pCodigoAcerto).
  std::unique_ptr<TListaTransacoes> Consultar() const;

  // The query of the settlements and that of their entries, for tests.
  std::string SQLAcertos() const;
  std::string SQLContas() const;

 private:
  std::string Condicoes() const;
};

// --- lists handed over by number -------------------------------------------------

// Registers a list its owner keeps; the answer is a positive number never
// given before in the process.  The list stays the owner's: it must
// unregister before freeing it (TnRegistroTransacoes does both).
VIREO_API int64_t RegistrarTransacoes(const TListaTransacoes* lista);
VIREO_API void RemoverTransacoes(int64_t handle);
// The list registered under the number; EnParam naming pObjetoTransacoes
// when there is none.
VIREO_API const TListaTransacoes& TransacoesPorHandle(int64_t handle);

// Registers a list for its own lifetime.
class VIREO_API TnRegistroTransacoes {
 public:
  explicit TnRegistroTransacoes(const TListaTransacoes* lista)
      : handle_(RegistrarTransacoes(lista)) {}
  ~TnRegistroTransacoes() { RemoverTransacoes(handle_); }
  TnRegistroTransacoes(const TnRegistroTransacoes&) = delete;
  TnRegistroTransacoes& operator=(const TnRegistroTransacoes&) = delete;
  int64_t Handle() const { return handle_; }

 private:
  int64_t handle_;
};

}  // namespace vireo
