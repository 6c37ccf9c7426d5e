#include "host/biz/fluxo_caixa.h"

#include "host/data/dataset.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

// Runs a query whose text may use both period markers or only the first.
TnDataSetProprio Executar(const std::string& sql, TDateTime inicio, TDateTime fim) {
  TnSQLParams params;
  params.Add("pDataInicial", Variant::FromDateTime(inicio));
  if (sql.find(":pDataFinal") != std::string::npos) {
    params.Add("pDataFinal", Variant::FromDateTime(fim));
  }
  return TnDataSetProprio(ExecutarSQL(sql, params, true, false, -1, "", nullptr, true));
}

// The detail's columns without rows, for a load without detail.
TnDataSetProprio DetalheVazio() {
  TnDataSetProprio cds(new TnClientDataSet());
  cds->AddFieldDef("DATA", TFieldType::DateTime);
  cds->AddFieldDef("CODIGOPESSOAFIN", TFieldType::Integer);
  cds->AddFieldDef("NOME", TFieldType::String, 500);
  for (const char* nome : {"RECEBER", "RECEBIDO", "PAGAR", "PAGO"}) {
    cds->AddFieldDef(nome, TFieldType::Float);
  }
  cds->AddFieldDef("DESCRHISTCTB", TFieldType::String, 100);
  cds->CreateDataSet();
  return cds;
}

}  // namespace

void TnLiberarDataSet::operator()(TnClientDataSet* dataset) const { DestruirSQL(dataset); }

TnDadosContasCorrentes::TnDadosContasCorrentes() = default;
TnDadosContasCorrentes::~TnDadosContasCorrentes() = default;

void TnDadosContasCorrentes::CarregarItensCC() {
  TnFiltroFluxoCaixa filtro;
  filtro.CodigoEscrit = CodigoEscrit;
  filtro.DataInicial = DataInicial;
  filtro.CodigoConta = CodigoConta;
  filtro.OrigemLcto = OrigemLcto;
  contas_ = Executar(SelectContasCorrentes(filtro), DataInicial, DataInicial);
}

TnItensFluxoCaixa::TnItensFluxoCaixa() = default;
TnItensFluxoCaixa::~TnItensFluxoCaixa() = default;

TnFiltroFluxoCaixa TnItensFluxoCaixa::Filtro() const {
  TnFiltroFluxoCaixa filtro;
  filtro.CodigoEscrit = CodigoEscrit;
  filtro.DataInicial = DataInicial;
  filtro.DataFinal = DataFinal;
  filtro.CodigoConta = CodigoConta;
  filtro.OrigemLcto = OrigemLcto;
  filtro.TipoOperacao = TipoOperacao;
  filtro.Modo = Modo;
  return filtro;
}

void TnItensFluxoCaixa::CarregarItens() {
  const TnFiltroFluxoCaixa filtro = Filtro();
  totais_ = Executar(SelectTotaisDia(filtro), DataInicial, DataFinal);
  detalhe_ = Detalhar ? Executar(SelectDetalheDia(filtro), DataInicial, DataFinal) : DetalheVazio();
}

void TnItensFluxoCaixa::CarregarSaldoAnterior() {
  saldo_ = Executar(SelectSaldoAnterior(Filtro()), DataInicial, DataFinal);
}

}  // namespace vireo
