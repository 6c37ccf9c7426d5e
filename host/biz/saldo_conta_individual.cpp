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

void RefuseMissingDay(TDateTime day, const char* name, const char* what) {
  if (day == 0) {
    throw EnParam(name, std::string("Informe a data ") + what + " do período (" + name + ").");
  }
}

TDateTime Day(TnpqPowerParam& params, const char* name, const char* what) {
  const TDateTime day = DataDoPeriodo(*params.Param(name));
  RefuseMissingDay(day, name, what);
  return day;
}

TnFiltroSaldoConta ReadFilter(TnpqPowerParam& params) {
  TnFiltroSaldoConta filtro;
  filtro.DataInicial = Day(params, "pDataInicial", "inicial");
  filtro.DataFinal = Day(params, "pDataFinal", "final");
  filtro.GerarSaldoAnterior = Flag(params, "pGerarSaldoAnterior", true);
  filtro.EhRelMovCaixa = Flag(params, "pEhRelMovCaixa", false);
  filtro.ImpContaSaldoZero = Flag(params, "pImpContaSaldoZero", false);
  filtro.QuebraPorEmpresa = Trim(params.GetValues("pQuebra")) == "2";
  filtro.OmitirContaContabil = Flag(params, "pOmitirContaContabil", false);
  filtro.CodigoEscrit = params.GetValues("pCodigoEscrit");
  filtro.CodigoConta = params.GetValues("pCodigoConta");
  filtro.OrigemLctoCaixa = params.GetValues("pOrigemLctoCaixa");
  return filtro;
}

void CheckPeriod(const TnFiltroSaldoConta& filtro) {
  RefuseMissingDay(filtro.DataInicial, "pDataInicial", "inicial");
  RefuseMissingDay(filtro.DataFinal, "pDataFinal", "final");
  if (filtro.DataInicial > filtro.DataFinal) {
    throw EnParam("pDataInicial", "A data inicial não pode ser maior que a data final.");
  }
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
std::vector<bool> KeptAccounts(const ChartOfAccounts& chart, const TnFiltroSaldoConta& filtro,
                               Notes& notes) {
  std::vector<bool> kept = biz::ChosenAnalytics(chart, filtro.CodigoConta, "pCodigoConta", notes);
  const bool current_only = filtro.OmitirContaContabil || filtro.EhRelMovCaixa;
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
                                    const TnFiltroSaldoConta& filtro) {
  if (std::find(kept.begin(), kept.end(), true) == kept.end()) return {};
  biz::EntryQuery query;
  query.first_day = filtro.DataInicial;
  query.last_day = filtro.DataFinal;
  query.opening = filtro.GerarSaldoAnterior;
  query.cash_movement = filtro.EhRelMovCaixa;
  query.companies = filtro.CodigoEscrit;
  query.accounts = AccountFilter(chart, kept);
  query.origins_out = filtro.OrigemLctoCaixa;
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
  PrepareResult(*nClientDataSet());  // a refused run leaves no rows of an earlier one
  Gerar(ReadFilter(params));
}

TnClientDataSet* TnFprDPGerarSaldoContaIndividual::Gerar(const TnFiltroSaldoConta& filtro) {
  TnpqPowerParam& params = *GetParams();
  params.SetValues("pMsgErro", "");
  TnClientDataSet& result = *nClientDataSet();
  PrepareResult(result);  // a failed run leaves no rows of an earlier one
  CheckPeriod(filtro);

  Notes notes;
  const ChartOfAccounts chart = ChartOfAccounts::Load();
  if (!chart.Configured()) {
    notes.Add(
        "O plano de contas não tem configuração (FPRCFGCONTA): sem a natureza dos grupos, todo "
        "lançamento diminui o saldo das contas.");
  }
  biz::BalanceChoices choices;
  choices.kept = KeptAccounts(chart, filtro, notes);
  choices.by_company = filtro.QuebraPorEmpresa;
  choices.companies = SelectedCompanies(filtro.CodigoEscrit, notes);
  choices.all_companies = ParseSelection(filtro.CodigoEscrit, "pCodigoEscrit").empty();
  choices.zero_rows = filtro.ImpContaSaldoZero;
  const std::vector<BalanceRow> rows =
      biz::BuildBalanceRows(chart, Totals(chart, choices.kept, filtro), choices, notes);
  WriteResult(result, rows);
  params.SetValues("pMsgErro", notes.Text());
  return &result;
}

std::string TnFprDPGerarSaldoContaIndividual::MsgErro() {
  return GetParams()->GetValues("pMsgErro");
}

TnFiltroSaldoConta FiltroSaldoConta(TDateTime inicio, TDateTime fim, const std::string& origem,
                                    const std::string& codigo_escrit,
                                    const std::string& codigo_conta) {
  TnFiltroSaldoConta filtro;
  filtro.DataInicial = inicio;
  filtro.DataFinal = fim;
  filtro.OrigemLctoCaixa = origem;
  filtro.CodigoEscrit = codigo_escrit;
  filtro.CodigoConta = codigo_conta;
  filtro.QuebraPorEmpresa = !Trim(codigo_escrit).empty();
  return filtro;
}

TDateTime DataDoPeriodo(const TnpqParamItem& item) {
  return Trim(item.Value()).empty() ? 0 : item.GetAsDate();
}

std::unique_ptr<TnFprDPGerarSaldoContaIndividual> CriarDMSaldoConta() {
  static const char kNome[] = "TnFprDPGerarSaldoContaIndividual";
  std::unique_ptr<TnDataModule> dm(CriarDMNovo(kNome));
  auto* saldo = dynamic_cast<TnFprDPGerarSaldoContaIndividual*>(dm.get());
  if (saldo == nullptr) {
    throw Exception(std::string("O módulo de dados ") + kNome +
                    " não é um TnFprDPGerarSaldoContaIndividual.");
  }
  dm.release();
  return std::unique_ptr<TnFprDPGerarSaldoContaIndividual>(saldo);
}

}  // namespace vireo
