// The financial chart of accounts (FPRCONTA) and its configuration
// (FPRCFGCONTA): four top-level groups under the mask 9.9.99.999, synthetic
// accounts down to the third level, analytic accounts on the fourth, and the
// cash, bank, investment, currency and card accounts of each company.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

const char kMask[] = "9.9.99.999";
const int kSegmentWidth[] = {1, 1, 2, 3};  // digits of levels 1 to 4
// Balance nature of groups 1 (assets) to 4 (expenses).
const int kGroupNature[] = {1, -1, -1, 1};

enum Modality { kOrdinary = 0, kCash = 1, kInvestment = 2, kCard = 3, kBank = 4, kCurrency = 5 };

struct AccountRow {
  std::string classification;
  std::string description;
  bool synthetic = false;
  int modality = kOrdinary;
  int company = 0;  // 0: account of every company
  int bank_person = 0;
  int bank_account = 0;
  int currency = 0;
  double limit = 0;
};

// Builds the tree in print order, numbering children under their parent.
class ChartBuilder {
 public:
  std::string Group(int digit, const std::string& description) {
    return Add(std::to_string(digit), description, true).classification;
  }
  std::string Synthetic(const std::string& parent, const std::string& description) {
    return Add(ChildOf(parent), description, true).classification;
  }
  AccountRow& Analytic(const std::string& parent, const std::string& description) {
    return Add(ChildOf(parent), description, false);
  }
  const std::deque<AccountRow>& Rows() const { return rows_; }

 private:
  std::string ChildOf(const std::string& parent) {
    int level = 1 + static_cast<int>(std::count(parent.begin(), parent.end(), '.'));
    char segment[8];
    std::snprintf(segment, sizeof segment, "%0*d", kSegmentWidth[level], ++children_[parent]);
    return parent + "." + segment;
  }
  AccountRow& Add(const std::string& classification, const std::string& description,
                  bool synthetic) {
    AccountRow row;
    row.classification = classification;
    row.description = description;
    row.synthetic = synthetic;
    rows_.push_back(row);
    return rows_.back();
  }

  std::deque<AccountRow> rows_;  // keeps the references handed out valid
  std::map<std::string, int> children_;
};

void AddAnalytics(ChartBuilder& chart, const std::string& parent,
                  std::initializer_list<const char*> descriptions) {
  for (const char* description : descriptions) chart.Analytic(parent, description);
}

// At a larger scale, more accounts under each third-level group.
void AddExtraAnalytics(ChartBuilder& chart, const std::string& parent, const char* title,
                       int scale) {
  for (int i = 1; i < scale * 3 - 2; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, " %02d", i + 1);
    chart.Analytic(parent, std::string("Outras - ") + title + number);
  }
}

void AddCompanyAccounts(ChartBuilder& chart, const std::string& cash,
                        const std::string& investments, const std::vector<DemoCompany>& companies) {
  for (const DemoCompany& company : companies) {
    AccountRow& till = chart.Analytic(cash, "Caixa Geral - " + company.short_name);
    till.modality = kCash;
    till.company = company.code;
    for (size_t i = 0; i < company.bank_accounts.size(); ++i) {
      AccountRow& bank = chart.Analytic(cash, company.bank_labels[i] + " - " + company.short_name);
      bank.modality = kBank;
      bank.company = company.code;
      bank.bank_person = company.code;
      bank.bank_account = company.bank_accounts[i];
      bank.limit = i == 0 ? 5000.0 * company.code : 0;
    }
  }
  for (const DemoCompany& company : companies) {
    AccountRow& cdb = chart.Analytic(investments, "Aplicação CDB - " + company.short_name);
    cdb.modality = kInvestment;
    cdb.company = company.code;
  }
  AccountRow& dollars =
      chart.Analytic(investments, "Conta em Dólar - " + companies.front().short_name);
  dollars.modality = kCurrency;
  dollars.company = companies.front().code;
  dollars.currency = 2;
}

void BuildAssets(ChartBuilder& chart, const std::vector<DemoCompany>& companies) {
  std::string assets = chart.Group(1, "ATIVO");
  std::string current = chart.Synthetic(assets, "ATIVO CIRCULANTE");
  std::string cash = chart.Synthetic(current, "DISPONÍVEL");
  std::string investments = chart.Synthetic(current, "APLICAÇÕES FINANCEIRAS");
  std::string receivables = chart.Synthetic(current, "CRÉDITOS");
  AddCompanyAccounts(chart, cash, investments, companies);
  AddAnalytics(chart, receivables,
               {"Clientes Diversos", "Cheques a Receber", "Adiantamentos a Fornecedores"});
  std::string fixed = chart.Synthetic(assets, "ATIVO NÃO CIRCULANTE");
  std::string property = chart.Synthetic(fixed, "IMOBILIZADO");
  AddAnalytics(chart, property,
               {"Móveis e Utensílios", "Veículos", "Equipamentos de Informática", "Imóveis"});
}

void BuildLiabilities(ChartBuilder& chart, const std::vector<DemoCompany>& companies) {
  std::string liabilities = chart.Group(2, "PASSIVO");
  std::string current = chart.Synthetic(liabilities, "PASSIVO CIRCULANTE");
  AddAnalytics(chart, chart.Synthetic(current, "FORNECEDORES"), {"Fornecedores Diversos"});
  AddAnalytics(chart, chart.Synthetic(current, "OBRIGAÇÕES TRABALHISTAS"),
               {"Salários a Pagar", "FGTS a Recolher", "INSS a Recolher"});
  AddAnalytics(chart, chart.Synthetic(current, "OBRIGAÇÕES FISCAIS"),
               {"ISS a Recolher", "Simples Nacional a Recolher", "IRRF a Recolher"});
  std::string loans = chart.Synthetic(current, "EMPRÉSTIMOS E FINANCIAMENTOS");
  chart.Analytic(loans, "Empréstimo Bancário");
  AccountRow& card = chart.Analytic(loans, "Cartão de Crédito - " + companies[1].short_name);
  card.modality = kCard;
  card.company = companies[1].code;
  card.limit = 15000;
  std::string equity = chart.Synthetic(liabilities, "PATRIMÔNIO LÍQUIDO");
  AddAnalytics(chart, chart.Synthetic(equity, "CAPITAL E RESERVAS"),
               {"Capital Social", "Reservas de Lucros", "Lucros Acumulados"});
}

void BuildRevenues(ChartBuilder& chart, int scale) {
  std::string revenues = chart.Group(3, "RECEITAS");
  std::string operating = chart.Synthetic(revenues, "RECEITAS OPERACIONAIS");
  std::string services = chart.Synthetic(operating, "RECEITA DE SERVIÇOS");
  AddAnalytics(chart, services,
               {"Serviços de Consultoria", "Serviços de Manutenção", "Administração de Imóveis",
                "Aluguéis Recebidos"});
  AddExtraAnalytics(chart, services, "Receita de Serviços", scale);
  std::string sales = chart.Synthetic(operating, "RECEITA DE VENDAS");
  AddAnalytics(chart, sales, {"Venda de Mercadorias", "Venda de Sucata"});
  AddExtraAnalytics(chart, sales, "Receita de Vendas", scale);
  std::string financial = chart.Synthetic(revenues, "RECEITAS FINANCEIRAS");
  std::string interest = chart.Synthetic(financial, "JUROS E RENDIMENTOS");
  AddAnalytics(chart, interest,
               {"Juros Recebidos", "Descontos Obtidos", "Rendimentos de Aplicações"});
}

void BuildExpenses(ChartBuilder& chart, int scale) {
  std::string expenses = chart.Group(4, "DESPESAS");
  std::string operating = chart.Synthetic(expenses, "DESPESAS OPERACIONAIS");
  std::string staff = chart.Synthetic(operating, "DESPESAS COM PESSOAL");
  AddAnalytics(chart, staff,
               {"Salários e Ordenados", "Pró-labore", "Vale-transporte", "Vale-refeição",
                "Encargos Sociais"});
  AddExtraAnalytics(chart, staff, "Despesas com Pessoal", scale);
  std::string office = chart.Synthetic(operating, "DESPESAS ADMINISTRATIVAS");
  AddAnalytics(chart, office,
               {"Aluguel", "Condomínio", "Energia Elétrica", "Água e Esgoto", "Telefone e Internet",
                "Material de Escritório", "Honorários Contábeis", "Manutenção e Conservação"});
  AddExtraAnalytics(chart, office, "Despesas Administrativas", scale);
  std::string selling = chart.Synthetic(operating, "DESPESAS COMERCIAIS");
  AddAnalytics(chart, selling,
               {"Publicidade e Propaganda", "Comissões sobre Vendas", "Fretes e Carretos"});
  AddExtraAnalytics(chart, selling, "Despesas Comerciais", scale);
  std::string financial = chart.Synthetic(expenses, "DESPESAS FINANCEIRAS");
  AddAnalytics(chart, chart.Synthetic(financial, "ENCARGOS FINANCEIROS"),
               {"Tarifas Bancárias", "Juros Pagos", "Descontos Concedidos", "IOF"});
  std::string taxes = chart.Synthetic(expenses, "IMPOSTOS E TAXAS");
  AddAnalytics(chart, chart.Synthetic(taxes, "TRIBUTOS"),
               {"ISS", "Simples Nacional", "IPTU", "Taxas Municipais"});
}

void WriteConfiguration(DemoContext& context) {
  std::vector<std::string> columns = {"CODIGOCFGCONTA"};
  std::vector<Variant> values = {1};
  for (int group = 1; group <= 4; ++group) {
    std::string n = std::to_string(group);
    columns.insert(columns.end(), {"MASCGRUPO" + n, "NATURGRUPO" + n, "TIPOGRUPO" + n});
    values.insert(values.end(), {kMask, kGroupNature[group - 1], group});
  }
  context.Table("FPRCFGCONTA", columns).Insert(values);
}

Variant CodeOrNull(int code) { return code ? Variant(code) : Variant(); }

void WriteAccounts(DemoContext& context, const std::deque<AccountRow>& rows) {
  TableWriter& accounts = context.Table(
      "FPRCONTA",
      {"CODIGOCONTA", "TIPOCONTA", "CLASSIFCONTA", "DESCRCONTA", "NATURSALDO", "MODALIDADECONTA",
       "CODIGOMOEDA", "CODIGOPESSOACONTA", "CODIGOCONTABANC", "CODIGOESCRITORIO", "LIMITECREDITO"});
  DemoIds& ids = context.Ids();
  int code = 0;
  for (const AccountRow& row : rows) {
    ++code;
    int group = row.classification[0] - '0';
    accounts.Insert({code, row.synthetic ? 1 : 2, row.classification, row.description,
                     kGroupNature[group - 1], row.modality, CodeOrNull(row.currency),
                     CodeOrNull(row.bank_person), CodeOrNull(row.bank_account),
                     CodeOrNull(row.company), row.limit});
    if (row.synthetic) continue;
    if (group == 3) ids.revenue_accounts.push_back(code);
    if (group == 4) ids.expense_accounts.push_back(code);
    for (DemoCompany& company : ids.companies) {
      if (company.code != row.company) continue;
      if (row.modality == kCash) company.cash_account = code;
      if (row.modality == kBank) company.current_accounts.push_back(code);
    }
  }
  ids.accounts = code;
}

}  // namespace

void GenerateChart(DemoContext& context) {
  ChartBuilder chart;
  BuildAssets(chart, context.Ids().companies);
  BuildLiabilities(chart, context.Ids().companies);
  BuildRevenues(chart, context.Scale());
  BuildExpenses(chart, context.Scale());
  WriteConfiguration(context);
  WriteAccounts(context, chart.Rows());
}

}  // namespace vireo::demo
