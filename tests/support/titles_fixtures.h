// Rows of payables, receivables and collection written by hand for a test:
// documents and their installments, payments and receipts, contacts,
// collection settings, collection documents and quotations.  Each builder
// writes one row with the columns the reports read; the rest stay null.
#pragma once

#include <string>
#include <vector>

#include "host/core/variant.h"
#include "tests/support/fixtures.h"

namespace vireo::test {

// A payable or receivable installment: its document and the columns most
// tests set.
struct Titulo {
  int escrit = 1;
  int cab = 1;      // CODIGOPAGARCAB / CODIGORECEBERCAB
  int parcela = 1;  // CODIGOPAGAR / CODIGORECEBER
  Variant pessoa;   // null: no person
  std::string documento;
  Variant emissao;
  Variant vencimento;
  double valor = 0;
  double saldo = 0;
  int situacao = 1;  // 1 open, 2 partly paid, 3 settled, 4 cancelled
  std::string historico;
  int tipo_doc = 1;  // TIPODOCCAB
  std::string descr_tipo_doc = "Nota fiscal";
  Variant numero_nf = 1234;
  Variant boleto;     // receivables: CODIGOBOLETO
  double tarifa = 0;  // receivables: TARIFAREC
  int conta = 0;      // CODIGOCONTA of the document (0: null)
};

// A payment or receipt posted on an installment.
struct Baixa {
  int escrit = 1;
  int cab = 1;
  int parcela = 1;
  Variant data;
  double valor = 0;
  double juro = 0;
  double multa = 0;
  double desconto = 0;
  Variant acerto;  // CODIGOACERTO
};

class TitlesDbTest : public FinanceDbTest {
 protected:
  void Pessoa(int code, const std::string& nome) {
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)", {code, nome});
  }
  void Contato(int pessoa, int tipo, const std::string& valor) {
    Exec("insert into PESSOACONTATO (CODIGOPESSOAFIN, TIPOCONTATO, VALOR) values (?, ?, ?)",
         {pessoa, tipo, valor});
  }

  void Pagar(const Titulo& t) {
    Exec(
        "update or insert into FPRCONTAPAGARCAB (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPESSOAFIN, "
        "CODIGOCONTA, TIPODOCCAB, DESCRTIPODOCCAB, NUMERONF) values (?, ?, ?, ?, ?, ?, ?) "
        "matching (CODIGOESCRIT, CODIGOPAGARCAB)",
        {t.escrit, t.cab, t.pessoa, Conta(t), t.tipo_doc, t.descr_tipo_doc, t.numero_nf});
    Exec(
        "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, CODIGOPESSOAFIN, "
        "DOCUMENTOPAG, DATALANCAMENTOPAG, DATAVENCIMENTOPAG, VALORPAG, SALDOPAG, SITUACAOPAG, "
        "HISTORICOPAG) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {t.escrit, t.cab, t.parcela, t.pessoa, t.documento, t.emissao, t.vencimento, t.valor,
         t.saldo, t.situacao, t.historico});
  }
  void BaixaPagar(const Baixa& b) {
    Exec(
        "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, CODIGOACERTO, "
        "DATALANCAMENTOBAIXA, VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA, VALORDESCBAIXA) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {b.escrit, b.cab, b.parcela, b.acerto, b.data, b.valor, b.juro, b.multa, b.desconto});
  }

  void Receber(const Titulo& t) {
    Exec(
        "update or insert into FPRCONTARECEBERCAB (CODIGOESCRIT, CODIGORECEBERCAB, "
        "CODIGOPESSOAFIN, CODIGOCONTA, TIPODOCCAB, DESCRTIPODOCCAB, NUMERONF) "
        "values (?, ?, ?, ?, ?, ?, ?) matching (CODIGOESCRIT, CODIGORECEBERCAB)",
        {t.escrit, t.cab, t.pessoa, Conta(t), t.tipo_doc, t.descr_tipo_doc, t.numero_nf});
    Exec(
        "insert into FPRCONTARECEBER (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
        "CODIGOPESSOAFIN, DOCUMENTOREC, DATALANCAMENTOREC, DATAVENCIMENTOREC, VALORREC, SALDOREC, "
        "SITUACAOREC, HISTORICOREC, CODIGOBOLETO, TARIFAREC) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {t.escrit, t.cab, t.parcela, t.pessoa, t.documento, t.emissao, t.vencimento, t.valor,
         t.saldo, t.situacao, t.historico, t.boleto, t.tarifa});
  }
  void BaixaReceber(const Baixa& b) {
    Exec(
        "insert into FPRCONTARECEBERBAIXA (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
        "CODIGOACERTO, DATALANCAMENTOBAIXA, VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA, "
        "VALORDESCBAIXA) values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {b.escrit, b.cab, b.parcela, b.acerto, b.data, b.valor, b.juro, b.multa, b.desconto});
  }

  // Collection settings of a company (late-payment rules and the bank
  // account that collects).
  void CfgBoleto(int escrit, int codigo, double juro_mes, double multa, int carencia,
                 const Variant& conta_banc = Variant()) {
    Exec(
        "insert into EMPRESACFGBOLETO (CODIGOESCRIT, CODIGOEMPRESACFGBOLETO, CODIGOCONTABANC, "
        "PERCJUROMES, PERCMULTA, DIASCARENCIA) values (?, ?, ?, ?, ?, ?)",
        {escrit, codigo, conta_banc, juro_mes, multa, carencia});
  }
  void Boleto(int escrit, int codigo, int cfg) {
    Exec("insert into BOLETO (CODIGOESCRIT, CODIGOBOLETO, CODIGOEMPRESACFGBOLETO) values (?, ?, ?)",
         {escrit, codigo, cfg});
  }
  // A bank, a branch of it and a bank account of the company there.
  void ContaBancaria(int escrit, int conta, int agencia, int banco, const std::string& nome) {
    Exec("insert into BANCO (CODIGOBANCO, NOMEBANCO) values (?, ?)", {banco, nome});
    Exec("insert into AGENCIABANC (CODIGOAGENCIABANC, CODIGOBANCO) values (?, ?)",
         {agencia, banco});
    Exec(
        "insert into PESSOACONTABANC (CODIGOPESSOAFIN, CODIGOCONTABANC, CODIGOAGENCIABANC) "
        "values (?, ?, ?)",
        {escrit, conta, agencia});
  }
  void Cotacao(int moeda, const Variant& data, double valor) {
    Exec("insert into FPRMOEDACOTACAO (CODIGOMOEDA, DATACOTACAO, VALORCOTACAO) values (?, ?, ?)",
         {moeda, data, valor});
  }
  // A payable settled by settlement `acerto`, whose cash-side entry moved
  // `conta`.
  void AcertoPagar(int escrit, int acerto, int cab, int parcela, int caixa, int conta) {
    Exec(
        "insert into FPRACERTOCP (CODIGOESCRIT, CODIGOACERTO, CODIGOPAGARCAB, CODIGOPAGAR) "
        "values (?, ?, ?, ?)",
        {escrit, acerto, cab, parcela});
    AcertoCaixa(escrit, acerto, caixa, 2, conta);
  }

 private:
  static Variant Conta(const Titulo& t) { return t.conta != 0 ? Variant(t.conta) : Variant(); }
};

}  // namespace vireo::test
