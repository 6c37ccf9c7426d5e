// Standard histories of cash entries (FPRHISTORICO) and the currencies and
// indexes (FPRMOEDA).
#include "db/demo_context.h"

namespace vireo::demo {

namespace {

const char* const kHistories[] = {
    "Pagamento a fornecedor",   "Recebimento de cliente",    "Transferência entre contas",
    "Tarifa bancária",          "Depósito em dinheiro",      "Saque em dinheiro",
    "Pagamento de salários",    "Aplicação financeira",      "Resgate de aplicação",
    "Rendimento de aplicação",  "Recolhimento de impostos",  "Venda à vista",
    "Compra à vista",           "Adiantamento a fornecedor", "Reembolso de despesas",
    "Juros e multa por atraso", "Cheque compensado",         "Cheque devolvido"};

struct CurrencyRow {
  int code;
  const char* name;
  const char* symbol;
};

const CurrencyRow kCurrencies[] = {{1, "Real", "R$"},   {2, "Dólar americano", "US$"},
                                   {3, "Euro", "€"},    {4, "IGP-M", "IGPM"},
                                   {5, "IPCA", "IPCA"}, {6, "Taxa Selic", "SELIC"}};

}  // namespace

void GenerateHistories(DemoContext& context) {
  TableWriter& histories = context.Table("FPRHISTORICO", {"CODIGOHISTCTB", "DESCRHISTCTB"});
  int code = 0;
  for (const char* history : kHistories) {
    histories.Insert({++code, history});
    context.Ids().histories.push_back(code);
  }
  TableWriter& currencies = context.Table("FPRMOEDA", {"CODIGOMOEDA", "NOMEMOEDA", "SIGLAMOEDA"});
  for (const CurrencyRow& currency : kCurrencies) {
    currencies.Insert({currency.code, currency.name, currency.symbol});
    context.Ids().currencies.push_back(currency.code);
  }
}

}  // namespace vireo::demo
