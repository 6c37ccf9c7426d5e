#include "db/demo.h"

#include "db/demo_agenda.h"
#include "db/demo_cashflow.h"
#include "db/demo_context.h"
#include "db/demo_vouchers.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"

namespace vireo {

namespace {

void CheckEmpty(TnConnection& connection) {
  std::unique_ptr<TnClientDataSet> companies(
      connection.Query("SELECT COUNT(*) AS QUANTIDADE FROM ESCRITORIO"));
  if (companies->FieldByName("QUANTIDADE")->AsInteger() > 0) {
    throw Exception("O banco de dados " + connection.Database() +
                    " já tem empresas; os dados de demonstração vão num banco recém-criado.");
  }
}

}  // namespace

DemoSummary GenerateDemo(TnConnection& connection, const DemoOptions& options) {
  if (options.scale < 1) {
    throw Exception("A escala dos dados de demonstração deve ser 1 ou mais, não " +
                    std::to_string(options.scale) + ".");
  }
  CheckEmpty(connection);
  std::unique_ptr<TnWriteTransaction> transaction = connection.StartWrite();
  demo::DemoContext context(*transaction, options);
  demo::GenerateBanks(context);
  demo::GenerateCompanies(context);
  demo::GenerateUsers(context);
  demo::GeneratePeople(context);
  demo::GenerateChart(context);
  demo::GenerateCostCentres(context);
  demo::GenerateHistories(context);
  demo::GenerateLedgerCharts(context);
  demo::GenerateCash(context);
  demo::GenerateAccounting(context);
  demo::GenerateCostShares(context);
  demo::GenerateOpenTitles(context, options.seed);
  demo::GenerateTitles(context, options.seed);
  demo::GenerateVouchers(context, options.seed);
  demo::GenerateCheques(context);
  demo::GenerateSettlementCharges(context);
  demo::GenerateAccountBalances(context);
  demo::GenerateAgenda(context, options.seed);
  transaction->Commit();

  DemoSummary summary;
  summary.companies = static_cast<int>(context.Ids().companies.size());
  summary.persons = context.Ids().persons;
  summary.accounts = context.Ids().accounts;
  summary.cost_centres = context.Ids().centres;
  summary.rows = context.Rows();
  summary.accounting_faults = std::move(context.Ids().accounting_faults);
  return summary;
}

}  // namespace vireo
