// Shared state of the demo generator's steps: the writing transaction, the
// random sequence, a cache of prepared INSERT statements, and the codes of
// what earlier steps created, which later steps (and later kinds of data:
// cash entries, titles, settlements, accounting entries) build on.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/demo.h"
#include "db/demo_names.h"
#include "db/demo_random.h"
#include "host/core/datetime.h"
#include "host/core/variant.h"
#include "host/data/connection.h"

namespace vireo::demo {

// One prepared "INSERT INTO table (columns) VALUES (?, ...)".  Leave the
// identity columns of schema.sql (CODIGOPAGARBAIXA, CODIGOPESSOACONTATO, ...)
// out of the columns: the database numbers those rows, and fixtures that
// insert later rely on its count being right.
class TableWriter {
 public:
  TableWriter(TnWriteTransaction& transaction, const std::string& table,
              const std::vector<std::string>& columns);
  // Raises Exception when the number of values does not match the columns.
  void Insert(const std::vector<Variant>& values);
  int Count() const { return count_; }

 private:
  std::string table_;
  size_t columns_;
  std::unique_ptr<TnPreparedStatement> statement_;
  int count_ = 0;
};

// A settlement (FPRACERTO) of the cash book, for later steps that link
// titles to it.
struct DemoSettlement {
  int company = 0;
  int code = 0;     // CODIGOACERTO
  int purpose = 0;  // FINALIDADEACERTO: 1 receipt, 2 payment, 3 movement
  int person = 0;   // CODIGOPESSOAFIN, 0 for a movement between accounts
  double value = 0;
  TDateTime date = 0;
};

struct DemoCompany {
  int code = 0;  // CODIGOESCRIT = CODIGOPESSOAFIN
  std::string name;
  std::string short_name;  // for account descriptions
  const DemoTown* town = nullptr;
  std::vector<int> bank_accounts;        // CODIGOCONTABANC of PESSOACONTABANC
  std::vector<std::string> bank_labels;  // "Bradesco c/c 123456-7", same order
  int cash_account = 0;                  // CODIGOCONTA of the company's cash
  std::vector<int> current_accounts;     // CODIGOCONTA of its bank accounts
  int last_cash_entry = 0;               // highest CODIGOCAIXA written
  int last_settlement = 0;               // highest CODIGOACERTO written
  int last_ledger_entry = 0;             // highest FPRCHAVELCTOCTB written
  int last_payable_document = 0;         // highest CODIGOPAGARCAB written
  int last_receivable_document = 0;      // highest CODIGORECEBERCAB written
};

// A revenue or expense leg of a receipt, a payment or the salaries: the
// cash entries the cost centres share.
struct DemoCashLeg {
  int company = 0;
  int code = 0;  // CODIGOCAIXA
  int account = 0;
  double value = 0;
  int kind = 0;  // TIPOMOVCAIXA
};

// Codes of the rows written so far, by kind.
struct DemoIds {
  std::vector<DemoCompany> companies;
  std::vector<int> customers;  // CODIGOPESSOAFIN
  std::vector<int> suppliers;
  std::vector<int> interested;
  std::vector<int> users;                              // CODIGOUSUARIO
  std::vector<int> agencies;                           // CODIGOAGENCIABANC
  std::map<int, std::string> agency_banks;             // short bank name by agency
  std::vector<int> revenue_accounts;                   // analytic FPRCONTA of group 3
  std::vector<int> expense_accounts;                   // analytic FPRCONTA of group 4
  std::vector<int> cost_centres;                       // analytic FPRCENTROCUSTO
  std::vector<int> histories;                          // CODIGOHISTCTB
  std::vector<int> currencies;                         // CODIGOMOEDA
  std::map<int, std::vector<int>> ledger_accounts;     // PLANOESPEC by company
  std::vector<DemoSettlement> settlements;             // FPRACERTO, in the order written
  std::vector<DemoAccountingFault> accounting_faults;  // planted in FPRLCTOCTB/FPRLCTOGER
  std::vector<DemoCashLeg> apportionable;              // FPRCAIXA legs cost centres share
  int cash_entries = 0;                                // FPRCAIXA rows
  int accounts = 0;                                    // FPRCONTA rows
  int centres = 0;                                     // FPRCENTROCUSTO rows
  int persons = 0;                                     // PESSOAFINANCEIRO rows
};

class DemoContext {
 public:
  DemoContext(TnWriteTransaction& transaction, const DemoOptions& options);

  DemoRandom& Random() { return random_; }
  // The seed of the demo, for steps that draw from a sequence of their own.
  uint64_t Seed() const { return seed_; }
  // For a step that derives rows from those written (INSERT ... SELECT).
  TnWriteTransaction& Transaction() { return transaction_; }
  int Scale() const { return scale_; }
  DemoIds& Ids() { return ids_; }

  // The writer of these columns of the table, prepared on first use.
  TableWriter& Table(const std::string& table, const std::vector<std::string>& columns);
  // Rows inserted through every writer.
  int Rows() const;

  // Codes of new persons and addresses, in the order they are made.
  int NextPersonCode() { return next_person_++; }
  int NextAddressCode() { return next_address_++; }

 private:
  TnWriteTransaction& transaction_;
  DemoRandom random_;
  uint64_t seed_;
  int scale_;
  DemoIds ids_;
  std::map<std::string, std::unique_ptr<TableWriter>> writers_;
  int next_person_ = 101;  // 1 to 100 are kept for companies
  int next_address_ = 1;
};

// PESSOAGRUPO.TIPOGRUPOPESSOA and PESSOACONTATO.TIPOCONTATO, as schema.sql
// documents them.
enum PersonRole { kCustomer = 1, kSupplier = 2, kInterested = 3, kEmployee = 4 };
enum ContactKind {
  kTelephone = 0,
  kBusinessPhone = 2,
  kMobile = 3,
  kFax = 4,
  kEmail = 6,
  kWebSite = 7
};

// A DATE or TIMESTAMP parameter.
Variant DateValue(int year, int month, int day);
// A day from 1 January of `first_year` to 28 December of `last_year`.
// (Draws in one place: the order of several draws inside one function
// call's arguments would be up to the compiler.)
Variant RandomDate(DemoRandom& random, int first_year, int last_year);

// Person records shared by companies and persons (demo_persons.cpp).
struct PersonData {
  int code = 0;
  std::string name;
  bool legal = true;  // CNPJ, else CPF
  std::string tax_number;
  const DemoTown* town = nullptr;
};
void AddPerson(DemoContext& context, const PersonData& person);
void AddRole(DemoContext& context, int person, int role);  // PESSOAGRUPO
// A street in the person's town, made the person's address (default or not).
void AddAddress(DemoContext& context, int person, const DemoTown& town, bool standard);
void AddContact(DemoContext& context, int person, int kind, const std::string& value);

// One side of a payment or receipt of titles in the cash book: its entry
// (FPRCAIXA, with the history and origin of a payment or a receipt) and the
// entry's link to the settlement (FPRACERTOCX; side 1 the titles', 2 the
// cash's).  Takes the company's next entry code (demo_titles.cpp).
struct TitleSettlementEntry {
  int settlement = 0;
  int account = 0;
  int kind = 0;  // 1 inflow, -1 outflow
  int side = 0;
  TDateTime date = 0;
  double value = 0;
  bool payable = false;
  int person = 0;  // 0: none
  std::string text;
  std::string document;
};
void AddTitleSettlementEntry(DemoContext& context, DemoCompany& company,
                             const TitleSettlementEntry& entry);

// The steps of GenerateDemo, in the order it runs them.
void GenerateBanks(DemoContext& context);
void GenerateCompanies(DemoContext& context);
void GenerateUsers(DemoContext& context);
void GeneratePeople(DemoContext& context);
void GenerateChart(DemoContext& context);
void GenerateCostCentres(DemoContext& context);
void GenerateHistories(DemoContext& context);
void GenerateLedgerCharts(DemoContext& context);
// The cash book (demo_cash.cpp): entries, settlements and their free texts.
void GenerateCash(DemoContext& context);
// A free history text of an entry, from empty to long enough to wrap over
// three printed lines (demo_cash_texts.cpp).
std::string CashEntryText(DemoRandom& random, const std::string& document);
// Accounting entries generated for the documents of every origin kind, their
// cost-centre allocations and the documents themselves (demo_accounting*.cpp).
void GenerateAccounting(DemoContext& context);
// Shares of the apportionable cash legs over the cost centres
// (demo_cost_shares.cpp).
void GenerateCostShares(DemoContext& context);
// Payable and receivable titles in every situation with their payments,
// receipts and settlements, boletos and index quotations (demo_titles.cpp),
// on a random stream of their own drawn from the demo seed.
void GenerateTitles(DemoContext& context, uint64_t seed);
// Issued and received cheques with their status history (demo_cheques.cpp).
void GenerateCheques(DemoContext& context);
// Settlements with interest, fine or discount entries, and the monthly
// account totals of the cash book (demo_charges.cpp); the totals come last.
void GenerateSettlementCharges(DemoContext& context);
void GenerateAccountBalances(DemoContext& context);

}  // namespace vireo::demo
