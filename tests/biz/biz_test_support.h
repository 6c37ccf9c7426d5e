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

#include "host/biz/korvanfin.h"
#include "host/core/datetime.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"
#include "host/report/data_module.h"
#include "tests/support/fixtures.h"

namespace vireo::test {

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
// functions, with the real business modules registered.
class BizDbTest : public FinanceDbTest {
 protected:
  void SetUp() override {
    RegisterKorvanFin5();
    OpenDatabase("biz", "biz.fdb");
  }
  void TearDown() override {
    module_.reset();
    CloseDatabase();
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

  std::unique_ptr<TnDMPowerParam> module_;
};

}  // namespace vireo::test
