#include "host/biz/calculo_inadimplencia.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

constexpr double kDiasMes = 30;

// A dataset of ExecutarSQL, freed with the scope.
struct LiberarDataSet {
  void operator()(TnClientDataSet* dataset) const { DestruirSQL(dataset); }
};
using TnDataSetProprio = std::unique_ptr<TnClientDataSet, LiberarDataSet>;

TnDataSetProprio Consultar(const std::string& sql, const TnSQLParams& params) {
  return TnDataSetProprio(ExecutarSQL(sql, params, true, false, -1, "", nullptr, true));
}

double Dia(TDateTime data) { return std::floor(data); }

}  // namespace

double ArredondarCentavos(double valor) {
  // The nudge keeps products such as 1,005 x 100 = 100,4999... on the side
  // their decimal writing puts them.
  const double centavos = valor * 100;
  return std::round(centavos + std::copysign(1e-7, centavos)) / 100;
}

TnCalculoInadimplencia::TnCalculoInadimplencia(bool calcular_juros, TDateTime data_base,
                                               int64_t codigo_moeda, int tipo_calculo)
    : calcular_juros_(calcular_juros),
      data_base_(data_base),
      codigo_moeda_(codigo_moeda),
      tipo_calculo_(tipo_calculo) {}

TnCalculoInadimplencia::~TnCalculoInadimplencia() = default;

double TnCalculoInadimplencia::CalcularJuro(TDateTime vencimento, double valor,
                                            int64_t codigo_escrit) {
  const Configuracao* cfg = Devido(vencimento, valor, codigo_escrit);
  if (cfg == nullptr) return 0;
  if (tipo_calculo_ == tciCorrecaoMonetaria) return CorrecaoMonetaria(vencimento, valor);
  const double dias_atraso = Dia(data_base_) - Dia(vencimento);
  return ArredondarCentavos(valor * cfg->perc_juro_mes / 100 / kDiasMes * dias_atraso);
}

double TnCalculoInadimplencia::CalcularMulta(TDateTime vencimento, double valor,
                                             int64_t codigo_escrit) {
  const Configuracao* cfg = Devido(vencimento, valor, codigo_escrit);
  if (cfg == nullptr) return 0;
  return ArredondarCentavos(valor * cfg->perc_multa / 100);
}

const TnCalculoInadimplencia::Configuracao* TnCalculoInadimplencia::Devido(TDateTime vencimento,
                                                                           double valor,
                                                                           int64_t codigo_escrit) {
  if (!calcular_juros_ || !(valor > 0) || Dia(data_base_) == 0) return nullptr;
  const std::optional<Configuracao>& cfg = ConfiguracaoDe(codigo_escrit);
  if (!cfg) return nullptr;
  if (Dia(data_base_) <= Dia(vencimento) + cfg->dias_carencia) return nullptr;
  return &*cfg;
}

const std::optional<TnCalculoInadimplencia::Configuracao>& TnCalculoInadimplencia::ConfiguracaoDe(
    int64_t codigo_escrit) {
  auto found = configuracoes_.find(codigo_escrit);
  if (found != configuracoes_.end()) return found->second;
  ++leituras_configuracao_;
  TnDataSetProprio cds = Consultar(
      "select PERCJUROMES, PERCMULTA, DIASCARENCIA from EMPRESACFGBOLETO "
      "where CODIGOESCRIT = :pCodigoEscrit order by CODIGOEMPRESACFGBOLETO",
      {Variant(codigo_escrit)});
  std::optional<Configuracao> cfg;
  if (!cds->IsEmpty()) {
    cds->First();
    cfg = Configuracao{cds->FieldByName("PERCJUROMES")->AsFloat(),
                       cds->FieldByName("PERCMULTA")->AsFloat(),
                       static_cast<int>(cds->FieldByName("DIASCARENCIA")->AsInteger())};
  }
  return configuracoes_.emplace(codigo_escrit, cfg).first->second;
}

double TnCalculoInadimplencia::CorrecaoMonetaria(TDateTime vencimento, double valor) {
  const double fator = CotacaoEm(data_base_) / CotacaoEm(vencimento) - 1;
  return std::max(0.0, ArredondarCentavos(valor * fator));
}

double TnCalculoInadimplencia::CotacaoEm(TDateTime data) {
  if (!cotacoes_) {
    TnDataSetProprio cds = Consultar(
        "select DATACOTACAO, VALORCOTACAO from FPRMOEDACOTACAO "
        "where CODIGOMOEDA = :pCodigoMoeda and VALORCOTACAO > 0 order by DATACOTACAO",
        {Variant(codigo_moeda_)});
    cotacoes_.emplace();
    for (cds->First(); !cds->Eof(); cds->Next()) {
      cotacoes_->push_back({Dia(cds->FieldByName("DATACOTACAO")->AsDateTime()),
                            cds->FieldByName("VALORCOTACAO")->AsFloat()});
    }
  }
  // The first quotation after the day; the one before it is the day's.
  auto depois = std::upper_bound(cotacoes_->begin(), cotacoes_->end(), Dia(data),
                                 [](double dia, const Cotacao& c) { return dia < c.data; });
  if (depois == cotacoes_->begin()) {
    throw Exception("Não há cotação da moeda " + std::to_string(codigo_moeda_) + " em " +
                    FormatDateTime("dd/mm/yyyy", data) +
                    " nem antes: a correção monetária não pode ser calculada.");
  }
  return std::prev(depois)->valor;
}

}  // namespace vireo
