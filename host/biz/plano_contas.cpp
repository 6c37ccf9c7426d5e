#include "host/biz/plano_contas.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "host/biz/balance/chart_of_accounts.h"
#include "host/core/text.h"
#include "host/data/dataset.h"

namespace vireo {

TnClientDataSet*& FCdsPlanoContas() {
  thread_local TnClientDataSet* cds = nullptr;
  return cds;
}

IPlano::~IPlano() = default;

namespace {

constexpr int64_t kTipoSintetica = 1;

struct ContaPlano {
  int64_t codigo = 0;
  bool sintetica = false;
  std::string classificacao;
  std::string descricao;
};

class TnItemPlano final : public IPlanoItemSaldo {
 public:
  explicit TnItemPlano(ContaPlano conta) : conta_(std::move(conta)) {}

  const TnListaPlanoItem& Filhos() const override { return filhos_; }
  double Codigo() const override { return static_cast<double>(conta_.codigo); }
  std::string Descricao() const override { return conta_.descricao; }
  std::string Classificacao() const override { return conta_.classificacao; }
  bool Sintetico() const override { return conta_.sintetica; }
  double SaldoAnterior() const override { return 0; }
  double Debito() const override { return debito_; }
  double Credito() const override { return credito_; }
  double SaldoAtual() const override { return saldo_; }

  void Somar(double debito, double credito, double saldo) {
    debito_ += debito;
    credito_ += credito;
    saldo_ += saldo;
  }
  void AdicionarFilho(TnItemPlano* filho) { filhos_.Add(filho); }

 private:
  ContaPlano conta_;
  TnListaPlanoItem filhos_;
  double debito_ = 0, credito_ = 0, saldo_ = 0;
};

struct Valores {
  std::string classificacao;
  double debito = 0, credito = 0, saldo = 0;
};

class TnPlano final : public IPlano {
 public:
  explicit TnPlano(std::vector<ContaPlano> contas) : contas_(std::move(contas)) {
    for (size_t i = 0; i < contas_.size(); ++i) {
      por_codigo_.emplace(contas_[i].codigo, i);
      por_classificacao_.emplace(contas_[i].classificacao, i);
    }
  }

  void AdicionarValor(const TRecInfoValorPlano& r) override {
    Valores& v = valores_[r.CodigoConta];
    if (v.classificacao.empty()) v.classificacao = Trim(r.Classificacao);
    v.debito += r.Debito;
    v.credito += r.Credito;
    v.saldo += r.Saldo;
    montada_ = false;
  }

  const TnListaPlanoItem& Raizes() override {
    if (!montada_) Montar();
    return raizes_;
  }

 private:
  // The chart accounts above a classification: its prefixes that are
  // classifications of the chart and lie above it.
  void MarcarAcima(const std::string& classificacao, std::vector<bool>& incluida) const {
    for (size_t n = 1; n < classificacao.size(); ++n) {
      const std::string prefixo = classificacao.substr(0, n);
      auto [inicio, fim] = por_classificacao_.equal_range(prefixo);
      for (auto it = inicio; it != fim; ++it) {
        if (biz::IsBelow(prefixo, classificacao)) incluida[it->second] = true;
      }
    }
  }

  void Montar();
  void SomarAcima(const std::vector<TnItemPlano*>& caminho, const Valores& v);

  std::vector<ContaPlano> contas_;  // in classification order
  std::unordered_map<int64_t, size_t> por_codigo_;
  std::multimap<std::string, size_t> por_classificacao_;
  std::map<int64_t, Valores> valores_;
  std::vector<std::unique_ptr<TnItemPlano>> itens_;
  TnListaPlanoItem raizes_;
  bool montada_ = false;
};

// Walks the included accounts in classification order keeping the path of
// items above the current one; each item's values go to it and to every
// item on its path.  Accounts the chart lacks stand alone at the top.
void TnPlano::Montar() {
  itens_.clear();
  raizes_ = TnListaPlanoItem();
  std::vector<bool> incluida(contas_.size(), false);
  std::vector<std::pair<std::string, int64_t>> avulsas;  // accounts not in the chart
  for (const auto& [codigo, v] : valores_) {
    auto it = por_codigo_.find(codigo);
    if (it == por_codigo_.end()) {
      avulsas.emplace_back(v.classificacao, codigo);
      continue;
    }
    incluida[it->second] = true;
    MarcarAcima(contas_[it->second].classificacao, incluida);
  }
  std::sort(avulsas.begin(), avulsas.end());
  size_t proxima_avulsa = 0;
  std::vector<TnItemPlano*> caminho;
  auto raiz_avulsa = [&](const std::pair<std::string, int64_t>& avulsa) {
    const Valores& v = valores_.at(avulsa.second);
    itens_.push_back(
        std::make_unique<TnItemPlano>(ContaPlano{avulsa.second, false, v.classificacao, ""}));
    itens_.back()->Somar(v.debito, v.credito, v.saldo);
    raizes_.Add(itens_.back().get());
  };
  for (size_t i = 0; i < contas_.size(); ++i) {
    if (!incluida[i]) continue;
    const ContaPlano& conta = contas_[i];
    while (!caminho.empty() &&
           !biz::IsBelow(caminho.back()->Classificacao(), conta.classificacao)) {
      caminho.pop_back();
    }
    if (caminho.empty()) {
      while (proxima_avulsa < avulsas.size() && avulsas[proxima_avulsa].first < conta.classificacao)
        raiz_avulsa(avulsas[proxima_avulsa++]);
    }
    itens_.push_back(std::make_unique<TnItemPlano>(conta));
    TnItemPlano* item = itens_.back().get();
    if (caminho.empty()) {
      raizes_.Add(item);
    } else {
      caminho.back()->AdicionarFilho(item);
    }
    caminho.push_back(item);
    auto v = valores_.find(conta.codigo);
    if (v != valores_.end()) SomarAcima(caminho, v->second);
  }
  while (proxima_avulsa < avulsas.size()) raiz_avulsa(avulsas[proxima_avulsa++]);
  montada_ = true;
}

void TnPlano::SomarAcima(const std::vector<TnItemPlano*>& caminho, const Valores& v) {
  for (TnItemPlano* item : caminho) item->Somar(v.debito, v.credito, v.saldo);
}

std::vector<ContaPlano> LerPlano(TnClientDataSet* cds) {
  std::vector<ContaPlano> contas;
  if (cds == nullptr) return contas;
  std::unique_ptr<TnClientDataSet> copia(cds->CloneCDS());  // leaves the caller's cursor alone
  TField* codigo = copia->FieldByName("CODIGOCONTA");
  TField* tipo = copia->FieldByName("TIPOCONTA");
  TField* classif = copia->FieldByName("CLASSIFCONTA");
  TField* descr = copia->FieldByName("DESCRCONTA");
  contas.reserve(copia->RecordCount());
  for (copia->First(); !copia->Eof(); copia->Next()) {
    contas.push_back({codigo->AsInteger(), tipo->AsInteger() == kTipoSintetica,
                      Trim(classif->AsString()), Trim(descr->AsString())});
  }
  std::stable_sort(contas.begin(), contas.end(), [](const ContaPlano& a, const ContaPlano& b) {
    return a.classificacao < b.classificacao;
  });
  return contas;
}

}  // namespace

std::unique_ptr<IPlano> TnPlanoContas::NovoPlanoConta(int) {
  return std::make_unique<TnPlano>(LerPlano(FCdsPlanoContas()));
}

}  // namespace vireo
