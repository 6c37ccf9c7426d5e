// TnExtratoFornecedor and TnExtratoCliente: the statement of account of
// suppliers (payables) and customers (receivables) over a date range, as a
// dataset of rows read through the row mapper TMapDds.
//
//   TnExtratoFornecedor extrato;
//   extrato.SetDataInicial(inicio);
//   extrato.SetDataFinal(fim);
//   extrato.SetCodigoEscrit("1;3");       // selections; empty for all
//   extrato.SetCodigoPessoa("100..200");
//   extrato.CarregarItens();              // EnParam for a refused selection
//   TMapDds* linha = extrato.Dados()->GetMapper<TMapDds>();
//
// What the rows hold:
//
//  - Titles are the installments (FPRCONTAPAGAR / FPRCONTARECEBER) of the
//    selected companies whose own CODIGOPESSOAFIN is selected; cancelled ones
//    (situation 4) and their settlements are left out.  A title counts at its
//    entry date (DATALANCAMENTOPAG / REC) for VALORPAG / VALORREC; each of its
//    settlements (FPRCONTAPAGARBAIXA / FPRCONTARECEBERBAIXA) counts at its own
//    DATALANCAMENTOBAIXA, whatever the title's date.
//  - A title is a row of the title side (supplier "C", customer "D").  A
//    settlement is a row of the other side for the amount paid (VALORBAIXA +
//    interest + fine - discount), then a title-side row for its interest and
//    one for its fine when above 0, and a settlement-side row for its
//    discount when above 0.  Net, a settlement lowers the balance by
//    VALORBAIXA, so a closing balance is the open balance of the person's
//    titles.
//  - Each person opens with the row "Saldo anterior" dated the day before the
//    start date: the absolute balance of everything before the start date,
//    on the title side when that balance is zero or more, else on the other
//    side.  Then the rows dated in the range, in date order; on one date
//    titles first, then settlements each followed by its interest, fine and
//    discount rows, by title (header code, installment).
//  - A person is listed when the opening balance is not zero or a row falls
//    in the range; persons in code order; the selected companies go
//    together, one group per person.
//  - HISTORICO: "Título " + document (DOCUMENTOPAG / REC, else the header
//    code) + "/" + installment, COMPLEMENTO its history; a settlement
//    "Pagamento " (supplier) or "Recebimento " (customer) + the same document
//    text, COMPLEMENTO "Acerto " + settlement code; "Juros ", "Multa ",
//    "Desconto " + the document text, with the settlement's complement.
//  - NOMEEMPRESA is the company code as "0000", a blank and the name;
//    INSCFEDERALEMPRESA "CNPJ: " + the federal number; of the row's company
//    (the opening row: the person's lowest company code).
//
// Three queries per load (companies, titles, settlements), never one per
// person.
#pragma once

#include <memory>
#include <string>

#include "host/core/datetime.h"
#include "host/core/export.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;
class TnClientDataSet;
struct TnLadosExtrato;

// A row of the statement dataset.
struct TMapDds {
  TField* NOMEEMPRESA{};
  TField* INSCFEDERALEMPRESA{};
  TField* CODIGOPESSOA{};
  TField* NOMEPESSOA{};
  TField* DATA{};
  TField* HISTORICO{};
  TField* COMPLEMENTO{};
  TField* VALOR{};
  TField* LADO{};  // "D" or "C"
  VIREO_MAPPER(TMapDds, NOMEEMPRESA, INSCFEDERALEMPRESA, CODIGOPESSOA, NOMEPESSOA, DATA, HISTORICO,
               COMPLEMENTO, VALOR, LADO)
};

// The tables and columns of one kind of statement.
struct TnTabelasExtrato;

class VIREO_API TnExtrato {
 public:
  virtual ~TnExtrato();
  TnExtrato(const TnExtrato&) = delete;
  TnExtrato& operator=(const TnExtrato&) = delete;

  void SetDataInicial(TDateTime data) { FDataInicial = data; }
  void SetDataFinal(TDateTime data) { FDataFinal = data; }
  void SetCodigoEscrit(const std::string& selecao) { FCodigoEscrit = selecao; }
  void SetCodigoPessoa(const std::string& selecao) { FCodigoPessoa = selecao; }

  // Reads the rows again with the inputs as they are.
  void CarregarItens();
  // The rows; owned by the entity, empty before CarregarItens.
  TnClientDataSet* Dados() const { return FDados.get(); }

 protected:
  explicit TnExtrato(const TnTabelasExtrato& tabelas);

 private:
  const TnTabelasExtrato& FTabelas;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  std::string FCodigoEscrit;
  std::string FCodigoPessoa;
  std::unique_ptr<TnClientDataSet> FDados;
};

class VIREO_API TnExtratoFornecedor : public TnExtrato {
 public:
  TnExtratoFornecedor();
  ~TnExtratoFornecedor() override;
  void SetCodigoFornecedor(const std::string& selecao) { SetCodigoPessoa(selecao); }
};

class VIREO_API TnExtratoCliente : public TnExtrato {
 public:
  TnExtratoCliente();
  ~TnExtratoCliente() override;
  void SetCodigoCliente(const std::string& selecao) { SetCodigoPessoa(selecao); }
};

}  // namespace vireo
