#include "host/biz/origens_contabilizacao.h"

#include <array>

namespace vireo {

namespace {

struct Origem {
  const char* descricao;
  const char* abreviada;
};

// Indexed by code.
constexpr std::array<Origem, 9> kOrigens = {{
    {"Contas a Receber", "Receber"},
    {"Contas a Pagar", "Pagar"},
    {"Acerto de Recebimento", "Acerto Rec."},
    {"Acerto de Pagamento", "Acerto Pag."},
    {"Acerto de Movimentação", "Acerto Mov."},
    {"Nota Fiscal de Serviço", "NF Serviço"},
    {"Venda", "Venda"},
    {"Orçamento de Obra", "Obra"},
    {"Nota Fiscal de Entrada", "NF Entrada"},
}};

const Origem* OrigemDe(int tipo) {
  if (tipo < kPrimeiraOrigemContabilizacao || tipo > kUltimaOrigemContabilizacao) return nullptr;
  return &kOrigens[static_cast<size_t>(tipo)];
}

}  // namespace

std::string OpcoesContabilizacaoGerar() {
  std::string text;
  for (int tipo = kPrimeiraOrigemContabilizacao; tipo <= kUltimaOrigemContabilizacao; ++tipo) {
    if (!text.empty()) text += '\n';
    text += std::to_string(tipo) + "=" + OrigemDe(tipo)->descricao;
  }
  return text;
}

std::string TFprListDescricao::DescricaoGerarContabilizacao(int tipo) {
  const Origem* origem = OrigemDe(tipo);
  return origem ? origem->descricao : "";
}

std::string TFprListDescricao::DescricaoGerarContabilizacaoAbrev(int tipo) {
  const Origem* origem = OrigemDe(tipo);
  return origem ? origem->abreviada : "";
}

}  // namespace vireo
