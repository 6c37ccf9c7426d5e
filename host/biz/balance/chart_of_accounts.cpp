#include "host/biz/balance/chart_of_accounts.h"

#include <algorithm>
#include <cctype>

#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo::biz {

namespace {

bool IsWordChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 128 || std::isalnum(u);
}

int GroupOf(const std::string& classification) {
  const char first = classification.empty() ? '\0' : classification[0];
  return first >= '1' && first <= '9' ? first - '0' : 0;
}

bool HasSeparator(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return !IsWordChar(c); });
}

// Where each plan lives: its items (code, kind, classification,
// description, modality, company) and its configuration table.
struct PlanTables {
  const char* items_sql;
  const char* configuration;
  const char* item;  // how the notes name an item
  const char* none;  // no item
  const char* plan;  // and the plan
};

PlanTables TablesOf(PlanKind kind) {
  if (kind == PlanKind::kCostCentres) {
    return {
        "select CODIGOCENTROCUSTO, TIPOCENTROCUSTO, CLASSIFCENTROCUSTO, DESCRCENTROCUSTO, "
        "0, 0 from FPRCENTROCUSTO",
        "FPRCFGCENTROCUSTO", "O centro de custo", "Nenhum centro de custo",
        "plano de centros de custo"};
  }
  return {
      "select CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, MODALIDADECONTA, "
      "CODIGOESCRITORIO from FPRCONTA",
      "FPRCFGCONTA", "A conta", "Nenhuma conta", "plano de contas"};
}

// NATURGRUPO1 to NATURGRUPO9 of the first configuration row; false when the
// table is empty.  The ledger reads the first row of an unordered select, so
// this select is unordered too and reads the same row.
bool LoadNatures(const char* table, int (&natures)[10], bool (&known)[10]) {
  std::string columns;
  for (int group = 1; group <= 9; ++group) {
    columns += (group > 1 ? ", " : "") + std::string("NATURGRUPO") + std::to_string(group);
  }
  TnClientDataSet* rows = ExecutarSQL("select " + columns + " from " + table, {}, true, false, 1);
  TnSQLGuard guard(rows);
  for (int group = 0; group <= 9; ++group) {
    natures[group] = 0;
    known[group] = false;
  }
  if (rows->IsEmpty()) return false;
  rows->First();
  for (int group = 1; group <= 9; ++group) {
    const TField* field = rows->Fields(group - 1);
    known[group] = !field->IsNull();
    natures[group] = static_cast<int>(field->AsInteger());
  }
  return true;
}

std::vector<ChartAccount> LoadAccounts(const char* sql) {
  TnClientDataSet* rows = ExecutarSQL(sql);
  TnSQLGuard guard(rows);
  std::vector<ChartAccount> accounts;
  accounts.reserve(rows->RecordCount());
  for (rows->First(); !rows->Eof(); rows->Next()) {
    ChartAccount account;
    account.code = rows->Fields(0)->AsInteger();
    account.synthetic = rows->Fields(1)->AsInteger() == 1;
    account.classification = Trim(rows->Fields(2)->AsString());
    account.description = Trim(rows->Fields(3)->AsString());
    account.modality = static_cast<int>(rows->Fields(4)->AsInteger());
    account.company = rows->Fields(5)->AsInteger();
    account.group = GroupOf(account.classification);
    accounts.push_back(std::move(account));
  }
  return accounts;
}

}  // namespace

bool IsBelow(const std::string& ancestor, const std::string& classification) {
  if (ancestor.empty() || classification.size() <= ancestor.size()) return false;
  if (!classification.starts_with(ancestor)) return false;
  if (!HasSeparator(classification)) return true;  // plain digits: any longer prefix
  return !IsWordChar(classification[ancestor.size()]);
}

ChartOfAccounts ChartOfAccounts::Load() { return Load(PlanKind::kAccounts); }

ChartOfAccounts ChartOfAccounts::LoadCostCentres() { return Load(PlanKind::kCostCentres); }

ChartOfAccounts ChartOfAccounts::Load(PlanKind kind) {
  const PlanTables tables = TablesOf(kind);
  int natures[10];
  bool known[10];
  ChartOfAccounts chart;
  chart.kind_ = kind;
  chart.configured_ = LoadNatures(tables.configuration, natures, known);
  chart.accounts_ = LoadAccounts(tables.items_sql);
  for (ChartAccount& account : chart.accounts_) {
    account.nature = natures[account.group];
    account.nature_known = account.group != 0 && known[account.group];
  }
  chart.Index();
  return chart;
}

ChartOfAccounts::ChartOfAccounts(std::vector<ChartAccount> accounts, const int (&natures)[10])
    : accounts_(std::move(accounts)), configured_(true) {
  for (ChartAccount& account : accounts_) {
    account.group = GroupOf(account.classification);
    account.nature = natures[account.group];
    account.nature_known = account.group != 0 && account.nature != 0;
  }
  Index();
}

void ChartOfAccounts::Index() {
  std::stable_sort(accounts_.begin(), accounts_.end(),
                   [](const ChartAccount& a, const ChartAccount& b) {
                     if (a.classification != b.classification)
                       return a.classification < b.classification;
                     return a.code < b.code;
                   });
  by_code_.clear();
  below_.assign(accounts_.size(), {});
  for (size_t i = 0; i < accounts_.size(); ++i) {
    by_code_[accounts_[i].code] = static_cast<int>(i);
    if (!accounts_[i].synthetic) continue;
    for (size_t j = 0; j < accounts_.size(); ++j) {
      if (!accounts_[j].synthetic &&
          IsBelow(accounts_[i].classification, accounts_[j].classification)) {
        below_[i].push_back(static_cast<int>(j));
      }
    }
  }
}

int ChartOfAccounts::IndexOf(int64_t code) const {
  auto it = by_code_.find(code);
  return it == by_code_.end() ? -1 : it->second;
}

void NoteUnknownNature(const ChartOfAccounts& chart, const ChartAccount& account, Notes& notes) {
  if (account.nature_known || !chart.Configured()) return;
  if (account.group == 0) {
    notes.Add("A conta " + std::to_string(account.code) + " tem a classificação \"" +
              account.classification +
              "\", fora dos grupos 1 a 9 do plano de contas: todo lançamento diminui o seu saldo.");
  } else {
    notes.Add("O grupo " + std::to_string(account.group) +
              " do plano de contas não tem natureza configurada (NATURGRUPO" +
              std::to_string(account.group) +
              "): todo lançamento diminui o saldo das suas contas.");
  }
}

std::vector<bool> ChosenAnalytics(const ChartOfAccounts& chart, const std::string& selection,
                                  const std::string& param_name, Notes& notes) {
  const std::vector<ChartAccount>& accounts = chart.Accounts();
  std::vector<bool> chosen(accounts.size(), false);
  const std::vector<TnSelectionItem> items = ParseSelection(selection, param_name);
  for (size_t i = 0; i < accounts.size(); ++i) chosen[i] = items.empty() && !accounts[i].synthetic;
  for (const TnSelectionItem& item : items) {
    bool found = false;
    for (size_t i = 0; i < accounts.size(); ++i) {
      if (accounts[i].code < item.low || accounts[i].code > item.high) continue;
      found = true;
      if (!accounts[i].synthetic) chosen[i] = true;
      for (int below : chart.AnalyticsBelow(static_cast<int>(i))) chosen[below] = true;
    }
    if (found) continue;
    const PlanTables tables = TablesOf(chart.Kind());
    notes.Add(item.low == item.high ? std::string(tables.item) + " " + std::to_string(item.low) +
                                          " da seleção não existe no " + tables.plan + "."
                                    : std::string(tables.none) + " do " + tables.plan +
                                          " no intervalo " + std::to_string(item.low) + ".." +
                                          std::to_string(item.high) + " da seleção.");
  }
  return chosen;
}

std::string SelectionOf(std::vector<int64_t> codes) {
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  std::string text;
  for (size_t i = 0; i < codes.size();) {
    size_t j = i;
    while (j + 1 < codes.size() && codes[j + 1] == codes[j] + 1) ++j;
    if (!text.empty()) text += ';';
    text += std::to_string(codes[i]);
    if (j > i) text += ".." + std::to_string(codes[j]);
    i = j + 1;
  }
  return text;
}

}  // namespace vireo::biz
