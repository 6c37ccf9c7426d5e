// Helpers of the business-library tests: a small database made by hand per
// test (chart, companies, cash entries, settlements), the balance module
// run on it, and its result read back by company and account.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/schema.h"
#include "host/biz/korvanfin.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/data_module.h"
#include "tests/db/db_test_support.h"

namespace vireo::test {

inline Variant Day(int year, int month, int day) {
  return Variant::FromDateTime(EncodeDate(year, month, day));
}

// One row of the module's result.
struct Balance {
  std::string tipo;
  std::string classif;
  std::string descr;
  double anterior = 0;
  double debito = 0;
  double credito = 0;
  double movimento = 0;
  double saldo = 0;
  int natureza = 0;
};

// The result by "company:account", and the order of the rows.
struct BalanceResult {
  std::map<std::string, Balance> rows;
  std::vector<std::string> order;
  std::string message;
  bool Has(int64_t company, int64_t account) const { return rows.count(Key(company, account)); }
  const Balance& At(int64_t company, int64_t account) const {
    auto it = rows.find(Key(company, account));
    if (it == rows.end()) throw std::runtime_error("no row " + Key(company, account));
    return it->second;
  }
  static std::string Key(int64_t company, int64_t account) {
    return std::to_string(company) + ":" + std::to_string(account);
  }
};

inline BalanceResult ReadBalances(TnDMPowerParam& module) {
  BalanceResult result;
  TnClientDataSet* ds = module.nClientDataSet();
  for (ds->First(); !ds->Eof(); ds->Next()) {
    Balance b;
    b.tipo = ds->FieldByName("TipoConta")->AsString();
    b.classif = ds->FieldByName("ClassifConta")->AsString();
    b.descr = ds->FieldByName("DescrConta")->AsString();
    b.anterior = ds->FieldByName("SaldoAnterior")->AsFloat();
    b.debito = ds->FieldByName("ValorDebito")->AsFloat();
    b.credito = ds->FieldByName("ValorCredito")->AsFloat();
    b.movimento = ds->FieldByName("Movimento")->AsFloat();
    b.saldo = ds->FieldByName("Saldo")->AsFloat();
    b.natureza = static_cast<int>(ds->FieldByName("NaturSaldo")->AsInteger());
    std::string key = BalanceResult::Key(ds->FieldByName("CodigoEscrit")->AsInteger(),
                                         ds->FieldByName("CodigoConta")->AsInteger());
    result.order.push_back(key);
    result.rows[key] = b;
  }
  result.message = module.Param("pMsgErro")->Value();
  return result;
}

// A database of its own for each test, made current for the host's data
// functions; rows are written in one transaction, committed before a run.
class BizDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterKorvanFin5();
    db_ = CreateDatabaseFromTemplate(dir_.File("biz.fdb"));
    SetCurrentConnection(db_.get());
  }
  void TearDown() override {
    SetCurrentConnection(nullptr);
    write_.reset();
    db_.reset();
  }

  void Exec(const std::string& sql, const std::vector<Variant>& params = {}) {
    if (!write_) write_ = db_->StartWrite();
    write_->Execute(sql, params);
  }
  void Commit() {
    if (write_) write_->Commit();
    write_.reset();
  }

  // FPRCFGCONTA with the natures of groups 1.. (0 leaves a group's nature null).
  void Configuration(const std::vector<int>& natures) {
    std::string columns = "CODIGOCFGCONTA", marks = "1";
    std::vector<Variant> values;
    for (size_t g = 0; g < natures.size(); ++g) {
      columns += ", NATURGRUPO" + std::to_string(g + 1);
      marks += ", ?";
      values.push_back(natures[g] ? Variant(natures[g]) : Variant());
    }
    Exec("insert into FPRCFGCONTA (" + columns + ") values (" + marks + ")", values);
  }
  void Company(int code) {
    Exec("insert into ESCRITORIO (CODIGOESCRIT) values (?)", {code});
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)",
         {code, "Empresa " + std::to_string(code)});
  }
  void Synthetic(int code, const std::string& classif, const std::string& descr) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA) "
        "values (?, 1, ?, ?)",
        {code, classif, descr});
  }
  void Analytic(int code, const std::string& classif, const std::string& descr, int modality = 1,
                int company = 0) {
    Exec(
        "insert into FPRCONTA (CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, "
        "MODALIDADECONTA, CODIGOESCRITORIO) values (?, 2, ?, ?, ?, ?)",
        {code, classif, descr, modality, company ? Variant(company) : Variant()});
  }
  void History(int code, const std::string& descr) {
    Exec("insert into FPRHISTORICO (CODIGOHISTCTB, DESCRHISTCTB) values (?, ?)", {code, descr});
  }
  // A cash entry; kind 1 inflow, -1 outflow.
  void Entry(int company, int code, int account, const Variant& date, int kind, double value,
             int origin = 0, const Variant& history = 1) {
    Exec(
        "insert into FPRCAIXA (CODIGOESCRIT, CODIGOCAIXA, CODIGOCONTA, DATACAIXA, "
        "TIPOMOVCAIXA, VALORCAIXA, ORIGEMLCTOCAIXA, CODIGOHISTCTB) "
        "values (?, ?, ?, ?, ?, ?, ?, ?)",
        {company, code, account, date, kind, value, origin, history});
  }
  // A settlement row of an entry; origin 1 settles titles, 2 moves money.
  void Settled(int company, int settlement, int entry, int origin, int account) {
    Exec(
        "insert into FPRACERTOCX (CODIGOESCRIT, CODIGOACERTO, CODIGOCAIXA, ORIGEMCAIXA, "
        "CODIGOCONTA) values (?, ?, ?, ?, ?)",
        {company, settlement, entry, origin, account});
  }

  // Runs a new module made by name with these parameters.
  BalanceResult Run(const std::map<std::string, std::string>& params) {
    Commit();
    module_.reset(dynamic_cast<TnDMPowerParam*>(CriarDMNovo("TnFprDPGerarSaldoContaIndividual")));
    if (!module_) throw std::runtime_error("the module is not a TnDMPowerParam");
    for (const auto& [name, value] : params) module_->Param(name)->SetValue(value);
    module_->Executar();
    return ReadBalances(*module_);
  }

  TnConnection& Db() { return *db_; }

  testing::TempDir dir_;
  std::unique_ptr<TnConnection> db_;
  std::unique_ptr<TnWriteTransaction> write_;
  std::unique_ptr<TnDMPowerParam> module_;
};

}  // namespace vireo::test
