// The queries of rptLedger: the chart configuration and the entries of one
// account, built from a small filter so that tests can read and run them
// without the report.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/datetime.h"

namespace vireo {

enum TnTipoOrdenacaoMoviCaixa { tpDataCaixa, tpTipoMoviCaixa };

// The entries one account header lists.
struct TnFiltroCaixas {
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  // Cash movement: the counterpart account of each settled entry, and only
  // the entries of settlements of current accounts.
  bool EhRelMovCaixa = false;
  int64_t CodigoEscrit = 0;  // 0: all companies together, no company condition
  int64_t CodigoConta = 0;
  std::string OrigemDados;  // selection of entry origins left out
  TnTipoOrdenacaoMoviCaixa Ordenar = tpDataCaixa;
};

// The natures and masks of the chart's groups (FPRCFGCONTA).
std::string SelectCfgConta();
// The entries of the filter's account, in print order.
std::string SelectCaixas(const TnFiltroCaixas& filtro);

}  // namespace vireo
