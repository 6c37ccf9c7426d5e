// Free history texts of the demo's cash entries.  Their lengths vary on
// purpose: many entries carry none or a document number, and about one in
// six a long remark that the reports must wrap over two or three lines.
#include <string>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

const char* const kShort[] = {"Parcela 1/3",       "Parcela 2/3",     "Parcela 3/3",
                              "Pagamento parcial", "Conforme recibo", "Ref. mês anterior",
                              "Quitação",          "Antecipação"};

const char* const kOpenings[] = {
    "Referente à nota fiscal", "Conforme contrato e medição aprovada, documento",
    "Pagamento combinado em reunião com a diretoria, documento",
    "Lançamento conferido com o extrato bancário, documento",
    "Valor negociado com desconto por pagamento antecipado, documento"};

const char* const kMiddles[] = {
    "serviços de manutenção predial prestados no período, incluindo troca de lâmpadas, revisão "
    "elétrica e pintura das áreas comuns",
    "material de escritório e suprimentos de informática entregues em duas remessas, com frete "
    "incluso e garantia de seis meses",
    "honorários de consultoria tributária do trimestre, com revisão das apurações e orientação "
    "sobre o Simples Nacional",
    "aluguel e condomínio da sala comercial, com reajuste anual pelo IGP-M já aplicado",
    "venda de mercadorias à vista com entrega programada para a semana seguinte"};

const char* const kClosings[] = {"Aprovado pelo financeiro.",
                                 "Comprovante arquivado na pasta do mês.",
                                 "Saldo remanescente será quitado na próxima parcela, sem juros.",
                                 "Cliente solicitou segunda via do recibo por e-mail.",
                                 "Diferença de centavos ajustada no fechamento do caixa."};

std::string LongText(DemoRandom& random, const std::string& document) {
  std::string text = random.Pick(kOpenings);
  text += " " + document + ": ";
  text += random.Pick(kMiddles);
  text += ". ";
  if (random.Chance(50)) {
    text += random.Pick(kClosings);
    text += " ";
  }
  text += random.Pick(kClosings);
  return text;
}

}  // namespace

std::string CashEntryText(DemoRandom& random, const std::string& document) {
  const int kind = random.Between(1, 100);
  if (kind <= 20) return "";
  if (kind <= 45) return document;
  if (kind <= 65) return std::string(random.Pick(kShort)) + " - " + document;
  if (kind <= 83) return document + " - " + FirmName(random);
  return LongText(random, document);
}

}  // namespace vireo::demo
