#include "host/biz/balance/balance_rows.h"

#include <algorithm>
#include <map>

namespace vireo::biz {

namespace {

using FiguresByAccount = std::vector<BalanceFigures>;  // per chart position

// How one total moves its account: the ledger adds an entry whose kind
// equals the nature of the account's group (low bytes) and subtracts any
// other; only outflows (-1) go to the credit column.
void Apply(const ChartAccount& account, const EntryTotal& total, BalanceFigures& figures) {
  const int sign = total.kind == (account.nature & 0xFF) ? 1 : -1;
  figures.before += sign * total.before;
  figures.movement += sign * total.period;
  (total.kind == 0xFF ? figures.credit : figures.debit) += total.period;
}

class SetBuilder {
 public:
  SetBuilder(const ChartOfAccounts& chart, const BalanceChoices& choices, Notes& notes)
      : chart_(chart), choices_(choices), notes_(notes) {
    // Every selected company gets its set, so accounts without figures can
    // appear in it even when the company has no entries.
    if (!choices.by_company) {
      Set(0);
      return;
    }
    for (int64_t company : choices.companies) Set(company);
  }

  void Add(const EntryTotal& total) {
    const int index = chart_.IndexOf(total.account);
    if (index < 0) {
      notes_.Add("Há lançamentos na conta " + std::to_string(total.account) +
                 ", que não existe no plano de contas; ficaram fora dos saldos.");
      return;
    }
    const ChartAccount& account = chart_.Accounts()[index];
    if (account.synthetic) {
      notes_.Add("Há lançamentos na conta sintética " + std::to_string(account.code) + " (" +
                 account.classification + "); ficaram fora dos saldos.");
      return;
    }
    if (!choices_.kept[index]) return;
    if (!total.listed) {
      missing_history_ += total.entries;
      return;
    }
    Apply(account, total, Set(choices_.by_company ? total.company : 0)[index]);
  }

  std::vector<BalanceRow> Rows() {
    if (missing_history_ > 0) {
      notes_.Add(std::to_string(missing_history_) +
                 " lançamento(s) de caixa com histórico padrão inexistente ficaram fora dos "
                 "saldos, como ficam fora do razão.");
    }
    std::vector<BalanceRow> rows;
    for (auto& [company, figures] : sets_) AppendSet(company, figures, rows);
    return rows;
  }

 private:
  FiguresByAccount& Set(int64_t company) {
    FiguresByAccount& figures = sets_[company];
    figures.resize(chart_.Accounts().size());
    return figures;
  }

  // Whether an account without figures belongs in the set of `company`.
  bool BelongsTo(const ChartAccount& account, int64_t company) const {
    if (account.company == 0) return true;
    if (choices_.by_company) return account.company == company;
    return choices_.all_companies || std::find(choices_.companies.begin(), choices_.companies.end(),
                                               account.company) != choices_.companies.end();
  }

  std::vector<bool> Shown(int64_t company, const FiguresByAccount& figures) const {
    const std::vector<ChartAccount>& accounts = chart_.Accounts();
    std::vector<bool> shown(accounts.size(), false);
    for (size_t i = 0; i < accounts.size(); ++i) {
      if (accounts[i].synthetic || !choices_.kept[i]) continue;
      shown[i] = !figures[i].Empty() || (choices_.zero_rows && BelongsTo(accounts[i], company));
    }
    return shown;
  }

  void AppendSet(int64_t company, const FiguresByAccount& figures, std::vector<BalanceRow>& rows) {
    const std::vector<ChartAccount>& accounts = chart_.Accounts();
    const std::vector<bool> shown = Shown(company, figures);
    for (size_t i = 0; i < accounts.size(); ++i) {
      BalanceRow row{company, &accounts[i], figures[i]};
      bool any = shown[i];
      if (accounts[i].synthetic) {
        for (int below : chart_.AnalyticsBelow(static_cast<int>(i))) {
          if (!shown[below]) continue;
          any = true;
          row.figures.Add(figures[below]);
        }
      } else if (any) {
        NoteUnknownNature(chart_, accounts[i], notes_);
      }
      if (any) rows.push_back(row);
    }
  }

  const ChartOfAccounts& chart_;
  const BalanceChoices& choices_;
  Notes& notes_;
  std::map<int64_t, FiguresByAccount> sets_;  // by company code, in order
  int64_t missing_history_ = 0;
};

}  // namespace

void BalanceFigures::Add(const BalanceFigures& other) {
  before += other.before;
  debit += other.debit;
  credit += other.credit;
  movement += other.movement;
}

std::vector<BalanceRow> BuildBalanceRows(const ChartOfAccounts& chart,
                                         const std::vector<EntryTotal>& totals,
                                         const BalanceChoices& choices, Notes& notes) {
  SetBuilder builder(chart, choices, notes);
  for (const EntryTotal& total : totals) builder.Add(total);
  return builder.Rows();
}

}  // namespace vireo::biz
