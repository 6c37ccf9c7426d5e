// The host's cash-flow entities: TnItensFluxoCaixa (day movements, their
// detail by person and the opening balance) and TnDadosContasCorrentes (the
// current accounts with their limits and balances).  Both are given their
// inputs by assignment, loaded by one call and read through the datasets
// they expose, with the positional mappers below; the entity owns its
// datasets.  What counts is told in host/biz/fluxo_caixa_sql.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/biz/fluxo_caixa_sql.h"
#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;
class TnClientDataSet;

// Frees a dataset of the entities with DestruirSQL.
struct VIREO_API TnLiberarDataSet {
  void operator()(TnClientDataSet* dataset) const;
};
using TnDataSetProprio = std::unique_ptr<TnClientDataSet, TnLiberarDataSet>;

// Current accounts: code, description, credit limit, balance.
struct TMapCca {
  TField* Codigo{};
  TField* Descricao{};
  TField* Limite{};
  TField* Saldo{};
  static const char* MapperName() { return "TMapCca"; }
  void MapperBind(TnMapperBinder& b) {
    b.BindAt(0, Codigo), b.BindAt(1, Descricao), b.BindAt(2, Limite), b.BindAt(3, Saldo);
  }
};

// Day totals: date, to receive, received, to pay, paid.
struct TMapDds {
  TField* Data{};
  TField* Receber{};
  TField* Recebido{};
  TField* Pagar{};
  TField* Pago{};
  static const char* MapperName() { return "TMapDds"; }
  void MapperBind(TnMapperBinder& b) {
    b.BindAt(0, Data), b.BindAt(1, Receber), b.BindAt(2, Recebido), b.BindAt(3, Pagar),
        b.BindAt(4, Pago);
  }
};

// Day detail: date, person (0 for none), name, to receive, received, to
// pay, paid, history of an entry without a person.
struct TMapDetDds {
  TField* Data{};
  TField* CodigoPessoaFin{};
  TField* Nome{};
  TField* Receber{};
  TField* Recebido{};
  TField* Pagar{};
  TField* Pago{};
  TField* DescrHistCtb{};
  static const char* MapperName() { return "TMapDetDds"; }
  void MapperBind(TnMapperBinder& b) {
    b.BindAt(0, Data), b.BindAt(1, CodigoPessoaFin), b.BindAt(2, Nome), b.BindAt(3, Receber),
        b.BindAt(4, Recebido), b.BindAt(5, Pagar), b.BindAt(6, Pago), b.BindAt(7, DescrHistCtb);
  }
};

// Opening balance.
struct TMapSal {
  TField* Saldo{};
  static const char* MapperName() { return "TMapSal"; }
  void MapperBind(TnMapperBinder& b) { b.BindAt(0, Saldo); }
};

class VIREO_API TnDadosContasCorrentes {
 public:
  TnDadosContasCorrentes();
  ~TnDadosContasCorrentes();
  TnDadosContasCorrentes(const TnDadosContasCorrentes&) = delete;
  TnDadosContasCorrentes& operator=(const TnDadosContasCorrentes&) = delete;

  int64_t CodigoEscrit = 0;  // 0: all companies
  TDateTime DataInicial = 0;
  std::string CodigoConta;
  std::string OrigemLcto;

  void CarregarItensCC();
  // The accounts (TMapCca); empty before CarregarItensCC.
  TnClientDataSet* CdsContas() const { return contas_.get(); }

 private:
  TnDataSetProprio contas_;
};

class VIREO_API TnItensFluxoCaixa {
 public:
  TnItensFluxoCaixa();
  ~TnItensFluxoCaixa();
  TnItensFluxoCaixa(const TnItensFluxoCaixa&) = delete;
  TnItensFluxoCaixa& operator=(const TnItensFluxoCaixa&) = delete;

  int64_t CodigoEscrit = 0;  // 0: all companies
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string CodigoConta;
  std::string OrigemLcto;
  bool Detalhar = false;
  std::string TipoOperacao;
  int Modo = mfcPrevisto;

  // Day totals, and the day detail when Detalhar is set (else it stays
  // empty, with its columns).
  void CarregarItens();
  void CarregarSaldoAnterior();

  TnClientDataSet* CdsTotaisDia() const { return totais_.get(); }     // TMapDds
  TnClientDataSet* CdsDetalheDia() const { return detalhe_.get(); }   // TMapDetDds
  TnClientDataSet* CdsSaldoAnterior() const { return saldo_.get(); }  // TMapSal

 private:
  TnFiltroFluxoCaixa Filtro() const;

  TnDataSetProprio totais_;
  TnDataSetProprio detalhe_;
  TnDataSetProprio saldo_;
};

}  // namespace vireo
