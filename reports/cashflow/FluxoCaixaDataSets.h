// The working datasets of the cash-flow reports and the guards of a
// company's pass: the entities freed, the chart reference dropped and the
// detail style restored on every way out.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "host/core/datetime.h"

namespace vireo {

class TnClientDataSet;
class TnDadosContasCorrentes;
class TnItensFluxoCaixa;
class TnpqChart;
class TnrwReport;

// One row per day: "Data", the amounts named, "SaldoSemLimite",
// "SaldoComLimite", "Descricao"; indexed by "Data".
std::unique_ptr<TnClientDataSet> CriarCdsDia(std::initializer_list<const char*> valores);
// One row per day and person: "Data", "CodigoPessoaFin", "Nome", the
// amounts named and, with `historico`, "DescrHistCtb"; indexed by
// "Data;CodigoPessoaFin".
std::unique_ptr<TnClientDataSet> CriarCdsDetalhe(std::initializer_list<const char*> valores,
                                                 bool historico);

// Adds the entity's day totals (TMapDds) into the day dataset: a day
// already there is added to, a new one appended.  Only the amounts the
// dataset has a column for ("Receber", "Recebido", "Pagar", "Pago") are
// taken.
void MesclarTotaisDia(TnClientDataSet* origem, TnClientDataSet* destino);
// Adds the entity's day detail (TMapDetDds) into the detail dataset, by
// day and person.  Rows without a person (code 0 or less) are summed per
// day too with `somar_sem_pessoa`; otherwise each keeps a row of its own,
// with its history when the dataset has "DescrHistCtb".
void MesclarDetalheDia(TnClientDataSet* origem, TnClientDataSet* destino, bool somar_sem_pessoa);

// The inputs the entities of one company share.
struct TnEntradasFluxo {
  int64_t CodigoEscrit = 0;  // 0: all companies together
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string CodigoConta;
  std::string OrigemLcto;
};
// The current accounts, loaded.
std::unique_ptr<TnDadosContasCorrentes> CarregarContasCorrentes(const TnEntradasFluxo& entradas);
// The cash-flow items given their first five inputs; the report sets the
// rest and loads them.
std::unique_ptr<TnItensFluxoCaixa> NovosItensFluxoCaixa(const TnEntradasFluxo& entradas);

// Frees the company's entities when the pass ends, or earlier.
class TnEntidadesEmpresa {
 public:
  TnEntidadesEmpresa(std::unique_ptr<TnItensFluxoCaixa>& itens,
                     std::unique_ptr<TnDadosContasCorrentes>& contas);
  ~TnEntidadesEmpresa();
  TnEntidadesEmpresa(const TnEntidadesEmpresa&) = delete;
  TnEntidadesEmpresa& operator=(const TnEntidadesEmpresa&) = delete;
  void Liberar();

 private:
  std::unique_ptr<TnItensFluxoCaixa>& itens_;
  std::unique_ptr<TnDadosContasCorrentes>& contas_;
};

// Drops the report's reference to the layout's chart when the print ends.
class TnGraficoSolto {
 public:
  explicit TnGraficoSolto(TnpqChart*& grafico) : grafico_(grafico) {}
  ~TnGraficoSolto() { grafico_ = nullptr; }
  TnGraficoSolto(const TnGraficoSolto&) = delete;
  TnGraficoSolto& operator=(const TnGraficoSolto&) = delete;

 private:
  TnpqChart*& grafico_;
};

// Detail lines print in italics ("Etiqueta5", "Etiqueta21", "Etiqueta32");
// the style goes back to none afterwards.
class TnEstiloDetalhe {
 public:
  explicit TnEstiloDetalhe(TnrwReport* report);
  ~TnEstiloDetalhe();
  TnEstiloDetalhe(const TnEstiloDetalhe&) = delete;
  TnEstiloDetalhe& operator=(const TnEstiloDetalhe&) = delete;

 private:
  TnrwReport* report_;
};

}  // namespace vireo
