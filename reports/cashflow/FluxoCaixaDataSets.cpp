#include "reports/cashflow/FluxoCaixaDataSets.h"

#include <utility>
#include <vector>

#include "host/biz/fluxo_caixa.h"
#include "host/data/dataset.h"
#include "host/report/engine.h"
#include "host/report/labels.h"

namespace vireo {

namespace {

constexpr int kTamanhoTexto = 100;
const char* const kEtiquetasDetalhe[] = {"Etiqueta5", "Etiqueta21", "Etiqueta32"};

void EstiloDetalhe(TnrwReport* report, TFontStyles estilo) {
  for (const char* nome : kEtiquetasDetalhe) report->LabelByName(nome)->SetFontStyle(estilo);
}

// The amount columns of a working dataset and their source in the
// entity's mapper.
struct TnParValor {
  TField* destino;
  TField* origem;
};

template <class Mapa>
std::vector<TnParValor> ParesValor(TnClientDataSet* destino, Mapa* origem) {
  std::vector<TnParValor> pares;
  const std::pair<const char*, TField*> colunas[] = {{"Receber", origem->Receber},
                                                     {"Recebido", origem->Recebido},
                                                     {"Pagar", origem->Pagar},
                                                     {"Pago", origem->Pago}};
  for (const auto& [nome, campo] : colunas) {
    if (TField* alvo = destino->FindField(nome)) pares.push_back({alvo, campo});
  }
  return pares;
}

void Somar(const std::vector<TnParValor>& pares) {
  for (const TnParValor& par : pares) {
    par.destino->SetAsFloat(par.destino->AsFloat() + par.origem->AsFloat());
  }
}

void Copiar(const std::vector<TnParValor>& pares) {
  for (const TnParValor& par : pares) par.destino->SetAsFloat(par.origem->AsFloat());
}

}  // namespace

void MesclarTotaisDia(TnClientDataSet* origem, TnClientDataSet* destino) {
  TMapDds* dds = origem->GetMapper<TMapDds>();
  TField* data = destino->FieldByName("Data");
  const std::vector<TnParValor> pares = ParesValor(destino, dds);
  for (origem->First(); !origem->Eof(); origem->Next()) {
    const TDateTime dia = dds->Data->AsDateTime();
    if (destino->FindKey({Variant::FromDateTime(dia)})) {
      destino->Edit();
      Somar(pares);
    } else {
      destino->Append();
      data->SetAsDateTime(dia);
      Copiar(pares);
    }
    destino->Post();
  }
}

void MesclarDetalheDia(TnClientDataSet* origem, TnClientDataSet* destino, bool somar_sem_pessoa) {
  TMapDetDds* det = origem->GetMapper<TMapDetDds>();
  TField* data = destino->FieldByName("Data");
  TField* pessoa = destino->FieldByName("CodigoPessoaFin");
  TField* nome = destino->FieldByName("Nome");
  TField* historico = destino->FindField("DescrHistCtb");
  const std::vector<TnParValor> pares = ParesValor(destino, det);
  for (origem->First(); !origem->Eof(); origem->Next()) {
    const TDateTime dia = det->Data->AsDateTime();
    const int64_t codigo = det->CodigoPessoaFin->AsInteger();
    if ((codigo > 0 || somar_sem_pessoa) &&
        destino->FindKey({Variant::FromDateTime(dia), Variant(codigo)})) {
      destino->Edit();
      Somar(pares);
    } else {
      destino->Append();
      data->SetAsDateTime(dia);
      pessoa->SetAsInteger(codigo);
      nome->SetAsString(det->Nome->AsString());
      Copiar(pares);
      if (historico != nullptr) historico->SetAsString(det->DescrHistCtb->AsString());
    }
    destino->Post();
  }
}

std::unique_ptr<TnClientDataSet> CriarCdsDia(std::initializer_list<const char*> valores) {
  auto cds = std::make_unique<TnClientDataSet>();
  cds->AddFieldDef("Data", TFieldType::DateTime);
  for (const char* nome : valores) cds->AddFieldDef(nome, TFieldType::Float);
  cds->AddFieldDef("SaldoSemLimite", TFieldType::Float);
  cds->AddFieldDef("SaldoComLimite", TFieldType::Float);
  cds->AddFieldDef("Descricao", TFieldType::String, kTamanhoTexto);
  cds->CreateDataSet();
  cds->SetIndexFieldNames("Data");
  cds->SetLogChanges(false);
  return cds;
}

std::unique_ptr<TnClientDataSet> CriarCdsDetalhe(std::initializer_list<const char*> valores,
                                                 bool historico) {
  auto cds = std::make_unique<TnClientDataSet>();
  cds->AddFieldDef("Data", TFieldType::DateTime);
  cds->AddFieldDef("CodigoPessoaFin", TFieldType::Integer);
  cds->AddFieldDef("Nome", TFieldType::String, kTamanhoTexto);
  for (const char* nome : valores) cds->AddFieldDef(nome, TFieldType::Float);
  if (historico) cds->AddFieldDef("DescrHistCtb", TFieldType::String, kTamanhoTexto);
  cds->CreateDataSet();
  cds->SetIndexFieldNames("Data;CodigoPessoaFin");
  cds->SetLogChanges(false);
  return cds;
}

std::unique_ptr<TnDadosContasCorrentes> CarregarContasCorrentes(const TnEntradasFluxo& entradas) {
  auto contas = std::make_unique<TnDadosContasCorrentes>();
  contas->CodigoEscrit = entradas.CodigoEscrit;
  contas->DataInicial = entradas.DataInicial;
  contas->CodigoConta = entradas.CodigoConta;
  contas->OrigemLcto = entradas.OrigemLcto;
  contas->CarregarItensCC();
  return contas;
}

std::unique_ptr<TnItensFluxoCaixa> NovosItensFluxoCaixa(const TnEntradasFluxo& entradas) {
  auto itens = std::make_unique<TnItensFluxoCaixa>();
  itens->CodigoEscrit = entradas.CodigoEscrit;
  itens->DataInicial = entradas.DataInicial;
  itens->DataFinal = entradas.DataFinal;
  itens->CodigoConta = entradas.CodigoConta;
  itens->OrigemLcto = entradas.OrigemLcto;
  return itens;
}

TnEntidadesEmpresa::TnEntidadesEmpresa(std::unique_ptr<TnItensFluxoCaixa>& itens,
                                       std::unique_ptr<TnDadosContasCorrentes>& contas)
    : itens_(itens), contas_(contas) {}

TnEntidadesEmpresa::~TnEntidadesEmpresa() { Liberar(); }

void TnEntidadesEmpresa::Liberar() {
  itens_.reset();
  contas_.reset();
}

TnEstiloDetalhe::TnEstiloDetalhe(TnrwReport* report) : report_(report) {
  EstiloDetalhe(report_, {fsItalic});
}

TnEstiloDetalhe::~TnEstiloDetalhe() {
  try {
    EstiloDetalhe(report_, {});
  } catch (...) {  // a layout without the labels already failed the print on the way in
  }
}

}  // namespace vireo
