// Rows of the financial module written by hand for a test: companies, the
// chart of accounts and its configuration, standard histories, cash entries
// and their settlements, and accounts of the accounting chart.  Each builder
// writes one row (a company two) with the columns the reports read; the
// rest stay null.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "host/core/variant.h"
#include "tests/support/report_db.h"

namespace vireo::test {

// The columns of a cash entry that most tests leave alone.
struct CaixaExtra {
  std::string historico;  // HISTORICOCAIXA, the entry's own text
  int origem = 0;         // ORIGEMLCTOCAIXA
  Variant hist = 1;       // CODIGOHISTCTB, the standard history
};

class FinanceDbTest : public ReportDbTest {
 protected:
  // FPRCFGCONTA with the natures of groups 1.. (1 debit, -1 credit); 0
  // leaves a group's nature null.
  void Configuracao(const std::vector<int>& naturezas) {
    std::string columns = "CODIGOCFGCONTA", marks = "1";
    std::vector<Variant> values;
    for (size_t g = 0; g < naturezas.size(); ++g) {
      columns += ", NATURGRUPO" + std::to_string(g + 1);
      marks += ", ?";
      values.push_back(naturezas[g] != 0 ? Variant(naturezas[g]) : Variant());
    }
    Exec("insert into FPRCFGCONTA (" + columns + ") values (" + marks + ")", values);
  }

  // An office without its person row: a company whose name is null.
  void Escritorio(int code) { Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code}); }
  void Empresa(int code, const std::string& nome, const std::string& cnpj = "") {
    Escritorio(code);
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (?, ?, ?)",
         {code, nome, cnpj});
  }

  // Accounts of the chart (FPRCONTA).  An analytic account's modality is 0
  // for an ordinary account, 1 cash, 3 card, 4 bank; company 0 leaves it
  // shared by all companies.
  void Sintetica(int code, const std::string& classif, const std::string& descr) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA) "
        "values (?, 1, ?, ?)",
        {code, classif, descr});
  }
  void Analitica(int code, const std::string& classif, const std::string& descr, int modalidade = 1,
                 int empresa = 0) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, "
        "MODALIDADECONTA, CODIGOESCRITORIO) values (?, 2, ?, ?, ?, ?)",
        {code, classif, descr, modalidade, empresa != 0 ? Variant(empresa) : Variant()});
  }

  void Historico(int code, const std::string& descr) {
    Exec("insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (?, ?)", {code, descr});
  }

  // A cash entry of company `escrit` under its code; tipo 1 inflow, -1
  // outflow.
  void Caixa(int escrit, int codigo, int conta, const Variant& data, int tipo, double valor,
             const CaixaExtra& extra = {}) {
    Exec(
        "insert into FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
        "TIPOMOVCAIXA, VALORCAIXA, HISTORICOCAIXA, ORIGEMLCTOCAIXA, CODIGOHISTCTB) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {escrit, codigo, conta, data, tipo, valor, extra.historico, extra.origem, extra.hist});
    ultimo_caixa_ = std::max(ultimo_caixa_, codigo);
  }
  // The same under the next code no entry of the test has used.
  void Movimentar(int escrit, int conta, const Variant& data, int tipo, double valor,
                  const CaixaExtra& extra = {}) {
    Caixa(escrit, ultimo_caixa_ + 1, conta, data, tipo, valor, extra);
  }
  // A settlement row of a cash entry; origem 1 settles titles, 2 moves
  // money between accounts.
  void AcertoCaixa(int escrit, int acerto, int caixa, int origem, int conta) {
    Exec(
        "insert into FPRACERTOCX (CODIGOESCRIT, CODIGOACERTO, CODIGOCAIXA, ORIGEMCAIXA, "
        "CODIGOCONTA) values (?, ?, ?, ?, ?)",
        {escrit, acerto, caixa, origem, conta});
  }

  // A settlement (FPRACERTO) with its purpose (1 receipt, 2 payment, 3
  // movement), date and value.
  void AcertoFinanceiro(int escrit, int acerto, int finalidade, const Variant& data, double valor) {
    Exec(
        "insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO, FINALIDADEACERTO, DATAACERTO, "
        "VALORACERTO) values (?, ?, ?, ?, ?)",
        {escrit, acerto, finalidade, data, valor});
  }

  // A bank (BANCO) and a bank account of a person (PESSOACONTABANC).
  void Banco(int codigo, const std::string& nome) {
    Exec("insert into BANCO (CODIGOBANCO, NOMEBANCO) values (?, ?)", {codigo, nome});
  }
  void ContaBancaria(int pessoa, int conta, int agencia, const std::string& numero) {
    Exec(
        "insert into PESSOACONTABANC (CODIGOPESSOAFIN, CODIGOCONTABANC, CODIGOAGENCIABANC, "
        "NRCONTABANC, DGCONTABANC) values (?, ?, ?, ?, '0')",
        {pessoa, conta, agencia, numero});
  }

  // A cheque (FPRCHEQUE): tipo 1 issued, 2 received; on bank 1, agency 10,
  // the account's number its code followed by "00".
  struct ChequeDados {
    int escrit = 1;
    int codigo = 0;
    int tipo = 1;
    int conta = 1;
    int numero = 0;
    Variant emissao;
    Variant previsao;
    std::string nominal;
    double valor = 0;
    int status = 1;
  };
  void Cheque(const ChequeDados& c) {
    Exec(
        "insert into FPRCHEQUE (CODIGOESCRIT, CODIGOCHEQUE, TIPOCHEQUE, CODIGOBANCO, "
        "CODIGOAGENCIABANC, CODIGOCONTABANC, NRCONTABANC, DGCONTABANC, NUMEROCHEQUE, "
        "DATAEMISSAO, DATAPREVISAO, NOMINAL, VALOR, STATUSCHEQUE) "
        "values (?, ?, ?, 1, 10, ?, ?, '0', ?, ?, ?, ?, ?, ?)",
        {c.escrit, c.codigo, c.tipo, c.conta, std::to_string(c.conta) + "00", c.numero, c.emissao,
         c.previsao, c.nominal, c.valor, c.status});
  }
  // A row of a cheque's status history; pessoa 0 leaves the person null.
  void ChequeDetalhe(int escrit, int cheque, int status, const Variant& data, int pessoa = 0) {
    Exec(
        "insert into CHEQUEDETALHE (CODIGOESCRIT, CODIGOCHEQUE, STATUSCHEQUE, DATADETALHE, "
        "CODIGOPESSOAFIN) values (?, ?, ?, ?, ?)",
        {escrit, cheque, status, data, pessoa != 0 ? Variant(pessoa) : Variant()});
  }

  // An account of the accounting chart (PLANOESPEC) of accounting company
  // `empresa`.
  void ContaCtb(int empresa, int conta, const std::string& descr) {
    Exec("insert into PLANOESPEC (CODIGOEMPRESA, CONTACTB, DESCRCONTA) values (?, ?, ?)",
         {empresa, conta, descr});
  }

  // The cost-centre plan: FPRCFGCENTROCUSTO with the masks and natures of
  // groups 1.. (nature 0 leaves it null), and its cost centres.
  void ConfiguracaoCentros(const std::vector<std::string>& mascaras,
                           const std::vector<int>& naturezas) {
    std::string columns, marks;
    std::vector<Variant> values;
    for (size_t g = 0; g < mascaras.size(); ++g) {
      const std::string n = std::to_string(g + 1);
      columns += std::string(g ? ", " : "") + "MASCGRUPO" + n + ", NATURGRUPO" + n;
      marks += std::string(g ? ", " : "") + "?, ?";
      values.push_back(mascaras[g]);
      values.push_back(g < naturezas.size() && naturezas[g] != 0 ? Variant(naturezas[g])
                                                                 : Variant());
    }
    Exec("insert into FPRCFGCENTROCUSTO (" + columns + ") values (" + marks + ")", values);
  }
  void CentroCusto(int code, const Variant& classif, const std::string& descr,
                   bool sintetico = false) {
    Exec(
        "insert into FPRCENTROCUSTO (CODIGOCENTROCUSTO, CLASSIFCENTROCUSTO, DESCRCENTROCUSTO, "
        "TIPOCENTROCUSTO) values (?, ?, ?, ?)",
        {code, classif, descr, sintetico ? 1 : 2});
  }
  // A share of cash entry `caixa` charged to cost centre `centro`; natureza 1
  // debit, -1 credit.
  void Rateio(int escrit, int caixa, int centro, double valor, const Variant& natureza) {
    Exec(
        "insert into FPRCAIXACUSTO (CODIGOESCRIT, CODIGOCAIXA, CODIGOCENTROCUSTO, VALORCUSTO, "
        "NATURLCTOCUSTO) values (?, ?, ?, ?, ?)",
        {escrit, caixa, centro, valor, natureza});
  }
  // The code of the last cash entry written.
  int UltimoCaixa() const { return ultimo_caixa_; }

 private:
  int ultimo_caixa_ = 0;
};

}  // namespace vireo::test
