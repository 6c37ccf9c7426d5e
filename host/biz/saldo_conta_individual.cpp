#include "host/biz/saldo_conta_individual.h"

#include <algorithm>

#include "host/biz/balance/balance_rows.h"
#include "host/biz/balance/chart_of_accounts.h"
#include "host/biz/balance/entry_totals.h"
#include "host/biz/balance/notes.h"
#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

using biz::BalanceRow;
using biz::ChartAccount;
using biz::ChartOfAccounts;
using biz::Notes;

namespace {

const char kIndex[] = "CodigoEscrit;ClassifConta;CodigoConta";

// Beyond this many items the account condition is left out of the SQL; the
// totals of other accounts are then dropped in memory instead.
const size_t kMaxSqlAccountItems = 200;

// What one run was asked for.
struct Request {
  TDateTime first_day = 0;
  TDateTime last_day = 0;
  bool opening = true;
  bool cash_movement = false;
  bool zero_rows = false;
  bool by_company = false;
  bool omit_ordinary = false;
  std::string companies;
  std::string accounts;
  std::string origins_out;
};

TnParamDef Def(const char* name, const char* caption, TnParamKind kind,
               const char* default_value = "") {
  TnParamDef def;
  def.name = name;
  def.caption = caption;
  def.kind = kind;
  def.default_value = default_value;
  return def;
}

void AddParameters(TnpqPowerParam& params) {
  params.Add(Def("pDataInicial", "Data inicial", TnParamKind::Date));
  params.Add(Def("pDataFinal", "Data final", TnParamKind::Date));
  params.Add(Def("pGerarSaldoAnterior", "Gerar saldo anterior", TnParamKind::YesNo, "1"));
  params.Add(Def("pOrigemLctoCaixa", "Origens de lançamento omitidas", TnParamKind::Selection));
  params.Add(Def("pCodigoEscrit", "Empresas", TnParamKind::Selection));
  params.Add(Def("pCodigoConta", "Contas", TnParamKind::Selection));
  params.Add(Def("pEhRelMovCaixa", "Movimento de caixa", TnParamKind::YesNo, "0"));
  params.Add(Def("pImpContaSaldoZero", "Contas sem saldo", TnParamKind::YesNo, "0"));
  TnParamDef quebra = Def("pQuebra", "Quebra", TnParamKind::Choice, "1");
  quebra.items = {{"1", "Empresas juntas"}, {"2", "Por empresa"}};
  params.Add(quebra);
  params.Add(Def("pOmitirContaContabil", "Omitir contas contábeis", TnParamKind::YesNo, "0"));
  params.Add(Def("pMsgErro", "Mensagem", TnParamKind::Text));
}

bool Flag(TnpqPowerParam& params, const char* name, bool if_empty) {
  const std::string value = Trim(params.GetValues(name));
  return value.empty() ? if_empty : value == "1";
}

TDateTime Day(TnpqPowerParam& params, const char* name, const char* what) {
  TnpqParamItem* item = params.Param(name);
  if (Trim(item->Value()).empty()) {
    throw EnParam(name, std::string("Informe a data ") + what + " do período (" + name + ").");
  }
  return item->GetAsDate();
}

Request ReadRequest(TnpqPowerParam& params) {
  Request request;
  request.first_day = Day(params, "pDataInicial", "inicial");
  request.last_day = Day(params, "pDataFinal", "final");
  if (request.first_day > request.last_day) {
    throw EnParam("pDataInicial", "A data inicial não pode ser maior que a data final.");
  }
  request.opening = Flag(params, "pGerarSaldoAnterior", true);
  request.cash_movement = Flag(params, "pEhRelMovCaixa", false);
  request.zero_rows = Flag(params, "pImpContaSaldoZero", false);
  request.by_company = Trim(params.GetValues("pQuebra")) == "2";
  request.omit_ordinary = Flag(params, "pOmitirContaContabil", false);
  request.companies = params.GetValues("pCodigoEscrit");
  request.accounts = params.GetValues("pCodigoConta");
  request.origins_out = params.GetValues("pOrigemLctoCaixa");
  return request;
}

// Companies of the selection that exist; single codes that do not are noted.
std::vector<int64_t> SelectedCompanies(const std::string& selection, Notes& notes) {
  TnClientDataSet* rows = ExecutarSQL("select CODIGOESCRIT from ESCRITORIO where " +
                                      FilterInterval("CODIGOESCRIT", selection, {1}, false, 0) +
                                      "order by CODIGOESCRIT");
  TnSQLGuard guard(rows);
  std::vector<int64_t> companies;
  for (rows->First(); !rows->Eof(); rows->Next()) companies.push_back(rows->Fields(0)->AsInteger());
  for (const TnSelectionItem& item : ParseSelection(selection, "pCodigoEscrit")) {
    if (item.low == item.high &&
        std::find(companies.begin(), companies.end(), item.low) == companies.end()) {
      notes.Add("A empresa " + std::to_string(item.low) + " da seleção não está cadastrada.");
    }
  }
  return companies;
}

// Analytic accounts that may appear: chosen, and of a modality the run keeps.
std::vector<bool> KeptAccounts(const ChartOfAccounts& chart, const Request& request, Notes& notes) {
  std::vector<bool> kept = biz::ChosenAnalytics(chart, request.accounts, "pCodigoConta", notes);
  const bool current_only = request.omit_ordinary || request.cash_movement;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (current_only && chart.Accounts()[i].modality == 0) kept[i] = false;
  }
  return kept;
}

// The account condition for the SQL: empty when every analytic account is
// kept or when the list would be too long to be worth sending.
std::string AccountFilter(const ChartOfAccounts& chart, const std::vector<bool>& kept) {
  std::vector<int64_t> codes;
  size_t analytics = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (chart.Accounts()[i].synthetic) continue;
    ++analytics;
    if (kept[i]) codes.push_back(chart.Accounts()[i].code);
  }
  if (codes.size() == analytics) return "";
  std::string selection = biz::SelectionOf(codes);
  return static_cast<size_t>(std::count(selection.begin(), selection.end(), ';')) + 1 >
                 kMaxSqlAccountItems
             ? ""
             : selection;
}

std::vector<biz::EntryTotal> Totals(const ChartOfAccounts& chart, const std::vector<bool>& kept,
                                    const Request& request) {
  if (std::find(kept.begin(), kept.end(), true) == kept.end()) return {};
  biz::EntryQuery query;
  query.first_day = request.first_day;
  query.last_day = request.last_day;
  query.opening = request.opening;
  query.cash_movement = request.cash_movement;
  query.companies = request.companies;
  query.accounts = AccountFilter(chart, kept);
  query.origins_out = request.origins_out;
  return biz::LoadEntryTotals(query);
}

void PrepareResult(TnClientDataSet& result) {
  if (result.Active()) {
    result.SetFiltered(false);
    result.SetFilter("");
    result.SetIndexFieldNames("");
    result.EmptyDataSet();
    return;
  }
  result.AddFieldDef("CodigoEscrit", TFieldType::Integer);
  result.AddFieldDef("CodigoConta", TFieldType::Integer);
  result.AddFieldDef("ClassifConta", TFieldType::String, 30);
  result.AddFieldDef("DescrConta", TFieldType::String, 81);
  result.AddFieldDef("TipoConta", TFieldType::String, 1);
  for (const char* amount :
       {"Movimento", "ValorDebito", "ValorCredito", "Saldo", "SaldoAnterior"}) {
    result.AddFieldDef(amount, TFieldType::Float);
  }
  result.AddFieldDef("NaturSaldo", TFieldType::Integer);
  result.CreateDataSet();
  result.SetLogChanges(false);
}

double Money(int64_t cents) { return static_cast<double>(cents) / 100.0; }

void WriteResult(TnClientDataSet& result, const std::vector<BalanceRow>& rows) {
  result.Reserve(static_cast<int>(rows.size()));
  TField* fields[11];
  for (int i = 0; i < 11; ++i) fields[i] = result.Fields(i);
  for (const BalanceRow& row : rows) {
    const ChartAccount& account = *row.account;
    result.Append();
    fields[0]->SetAsInteger(row.company);
    fields[1]->SetAsInteger(account.code);
    fields[2]->SetAsString(account.classification);
    fields[3]->SetAsString(account.classification + " " + account.description);
    fields[4]->SetAsString(account.synthetic ? "S" : "A");
    fields[5]->SetAsFloat(Money(row.figures.movement));
    fields[6]->SetAsFloat(Money(row.figures.debit));
    fields[7]->SetAsFloat(Money(row.figures.credit));
    fields[8]->SetAsFloat(Money(row.figures.Closing()));
    fields[9]->SetAsFloat(Money(row.figures.before));
    fields[10]->SetAsInteger(account.nature);
    result.Post();
  }
  result.SetIndexFieldNames(kIndex);
  result.First();
}

}  // namespace

TnFprDPGerarSaldoContaIndividual::TnFprDPGerarSaldoContaIndividual() {
  AddParameters(*GetParams());
}

TnFprDPGerarSaldoContaIndividual::~TnFprDPGerarSaldoContaIndividual() = default;

void TnFprDPGerarSaldoContaIndividual::Executar() {
  TnpqPowerParam& params = *GetParams();
  params.SetValues("pMsgErro", "");
  TnClientDataSet& result = *nClientDataSet();
  PrepareResult(result);  // a failed run leaves no rows of an earlier one
  const Request request = ReadRequest(params);

  Notes notes;
  const ChartOfAccounts chart = ChartOfAccounts::Load();
  if (!chart.Configured()) {
    notes.Add(
        "O plano de contas não tem configuração (FPRCFGCONTA): sem a natureza dos grupos, todo "
        "lançamento diminui o saldo das contas.");
  }
  biz::BalanceChoices choices;
  choices.kept = KeptAccounts(chart, request, notes);
  choices.by_company = request.by_company;
  choices.companies = SelectedCompanies(request.companies, notes);
  choices.all_companies = ParseSelection(request.companies, "pCodigoEscrit").empty();
  choices.zero_rows = request.zero_rows;
  const std::vector<BalanceRow> rows =
      biz::BuildBalanceRows(chart, Totals(chart, choices.kept, request), choices, notes);
  WriteResult(result, rows);
  params.SetValues("pMsgErro", notes.Text());
}

}  // namespace vireo
