// Rows of payables and receivables written by hand for a test: persons,
// titles (installments with their document header), settlements of titles
// with their receipts, and the letterhead of a company (address, contacts,
// logo).  Each builder writes the columns the statements and vouchers read.
#pragma once

#include <string>

#include "tests/support/fixtures.h"

namespace vireo::test {

// Which side of the books: the payable or the receivable tables.
enum class Lado { kPagar, kReceber };

// What a title carries besides its amount.
struct TituloExtra {
  std::string documento = "NF 100";
  std::string historico = "Parcela única";
  int situacao = 1;    // 1 open, 2 partly paid, 3 settled, 4 cancelled
  Variant vencimento;  // null: the entry date
  Variant numero;      // PARCELA...: null for the installment code
};

struct BaixaExtra {
  double juros = 0;
  double multa = 0;
  double desconto = 0;
};

class SettlementsDbTest : public FinanceDbTest {
 protected:
  // tipo_insc 1 CPF, 2 CNPJ.
  void Pessoa(int codigo, const std::string& nome, const std::string& insc = "",
              int tipo_insc = 2) {
    Exec(
        "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL, TIPOINSCFEDERAL) "
        "values (?, ?, ?, ?)",
        {codigo, nome, insc, tipo_insc});
  }

  // Installment `parcela` of document `cab` of company `escrit`, for
  // `pessoa`, entered on `data`.  The document header is written once.
  void Titulo(Lado lado, int escrit, int cab, int parcela, int pessoa, const Variant& data,
              double valor, const TituloExtra& extra = {}) {
    const bool pagar = lado == Lado::kPagar;
    const std::string s = pagar ? "PAG" : "REC";
    const std::string tabela = pagar ? "FPRCONTAPAGAR" : "FPRCONTARECEBER";
    const std::string codigo_cab = pagar ? "CODIGOPAGARCAB" : "CODIGORECEBERCAB";
    const std::string codigo = pagar ? "CODIGOPAGAR" : "CODIGORECEBER";
    Exec("update or insert into " + tabela + "CAB (CODIGOESCRIT, " + codigo_cab +
             ", CODIGOPESSOAFIN) values (?, ?, ?) matching (CODIGOESCRIT, " + codigo_cab + ")",
         {escrit, cab, pessoa});
    Exec("insert into " + tabela + " (CODIGOESCRIT, " + codigo_cab + ", " + codigo +
             ", CODIGOPESSOAFIN, PARCELA" + s + ", DOCUMENTO" + s + ", DATALANCAMENTO" + s +
             ", DATAVENCIMENTO" + s + ", VALOR" + s + ", SITUACAO" + s + ", HISTORICO" + s +
             ") values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
         {escrit, cab, parcela, pessoa, extra.numero.IsNull() ? Variant(parcela) : extra.numero,
          extra.documento, data, extra.vencimento.IsNull() ? data : extra.vencimento, valor,
          extra.situacao, extra.historico});
  }

  // A settlement row of settlement `acerto` on installment (cab, parcela).
  void Baixa(Lado lado, int escrit, int cab, int parcela, int acerto, const Variant& data,
             double valor, const BaixaExtra& extra = {}) {
    const bool pagar = lado == Lado::kPagar;
    Exec(std::string("insert into ") + (pagar ? "FPRCONTAPAGARBAIXA" : "FPRCONTARECEBERBAIXA") +
             " (CODIGOESCRIT, " +
             (pagar ? "CODIGOPAGARCAB, CODIGOPAGAR" : "CODIGORECEBERCAB, CODIGORECEBER") +
             ", CODIGOACERTO, DATALANCAMENTOBAIXA, VALORBAIXA, VALORJUROBAIXA, VALORMULTABAIXA, "
             "VALORDESCBAIXA) values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
         {escrit, cab, parcela, acerto, data, valor, extra.juros, extra.multa, extra.desconto});
  }

  void Recibo(Lado lado, int escrit, int acerto, int pessoa, int numero) {
    Exec(std::string("insert into ") +
             (lado == Lado::kPagar ? "FPRRECIBOPAGAMENTO" : "FPRRECIBORECEBIMENTO") +
             " (CODIGOESCRIT, CODIGOACERTO, CODIGOPESSOAFIN, NUMERORECIBO) values (?, ?, ?, ?)",
         {escrit, acerto, pessoa, numero});
  }

  // The person's default address: a street of VENDERECO under the same code.
  void Endereco(int pessoa, int codigo, const std::string& rua, const std::string& numero,
                const std::string& bairro, const std::string& municipio, const std::string& uf) {
    Exec(
        "insert into VENDERECO (CODIGOENDERECO, ENDERECO1, ENDERECO2, NOMEMUNICIPIO, "
        "SIGLAESTADO) values (?, ?, ?, ?, ?)",
        {codigo, rua, bairro, municipio, uf});
    Exec(
        "insert into PESSOAENDERECO (CODIGOPESSOAFIN, CODIGOENDERECO, NRENDERECO, PADRAO) "
        "values (?, ?, ?, 1)",
        {pessoa, codigo, numero});
  }

  // Contacts are numbered in the order written: the last one is the latest.
  void Contato(int pessoa, int tipo, const std::string& valor) {
    Exec("insert into PESSOACONTATO (CODIGOPESSOAFIN, TIPOCONTATO, VALOR) values (?, ?, ?)",
         {pessoa, tipo, valor});
  }

  void Logo(int escrit, const std::string& bytes) {
    Exec("update ESCRITORIO set LOGO = ? where CODIGOESCRIT = ?",
         {Variant::FromBytes(bytes), escrit});
  }
};

}  // namespace vireo::test
