// What the three cash-flow reports (realised, forecast, comparison) share:
// the output kinds, the sections of their layouts, the company query and
// header, the current-account block, the chart of each company and the
// parameter panel's rules for the account lookup and the operation kinds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnDadosContasCorrentes;
class TnItensFluxoCaixa;
class TnpqChart;
class TnrwReport;

// Output kind (pTipoRelatorio).
enum TnTipoRelat : int { trRelatorio = 0, trGrafico = 1, trRelatGrafico = 2 };

// The sections of the three layouts.
enum TnSecaoFluxoCaixa : int {
  kLinhaConta = 8,      // a current account of the block
  kReservada = 9,       // zebra-striped like the others, printed by none
  kEspacoContas = 10,   // closes the account block
  kCabecalhoDias = 11,  // headings of the day lines
  kLinhaDia = 12,       // a day, or one line of a day's detail
  kTotalContas = 13,    // totals of the account block
  kLinhaSaldo = 14,     // opening line and total line
  kGrafico = 15,        // the company's chart
};

// The sections printed with alternating backgrounds: 8 to 14.
std::vector<int> SecoesZebradas();

// The company walk: `empresa` prints one company (its code, 0 for all
// together) and answers whether it printed anything.  All companies together
// are one pass; otherwise a company that printed ends its page.
void PercorrerEmpresas(TnrwReport* report, TnClientDataSet* empresas, bool consolidado,
                       const std::function<bool(int64_t codigo)>& empresa);

// The day walk over the working dataset, in date order, with progress.
void PercorrerDias(TnrwReport* report, TnClientDataSet* dias, const std::function<void()>& passo);

// Reads pTipoRelatorio: a text that is not one of the kinds reads as the
// listing.
TnTipoRelat LerTipoRelatorio(const std::string& texto);
bool EhListagem(TnTipoRelat tipo);
bool EhGrafico(TnTipoRelat tipo);

// The companies of the selection (FCdsEmpresa).
struct TMapEmp {
  TField* CODIGOPESSOAFIN{};
  TField* NOME{};
  TField* INSCFEDERAL{};
  VIREO_MAPPER(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL)
};

// The company query; raises EnParam naming pCodigoEscrit for a selection
// that is not one.
std::string SelectEmpresasFluxo(const std::string& codigo_escrit);

// pNomeEmpresa and pInscrFederal of the company under the cursor, or empty
// for all companies together.
void PreencherCabecalhoEmpresa(TnrwReport* report, const TMapEmp* empresa, bool consolidado);

// Sets R1 to R7 to empty text.
void LimparR(TnrwReport* report);

// The amount columns of the opening and total lines (section 14).
struct TnLinhaSaldo {
  std::string F1, F2, F6, F3, F7, F4, F5;
};
void ImprimirLinhaSaldo(TnrwReport* report, const TnLinhaSaldo& linha);

// The columns of a day line or a detail line (section 12).
struct TnLinhaDia {
  std::string T1, T2, T6, T3, T7, T4, T5;
};
void ImprimirLinhaDia(TnrwReport* report, const TnLinhaDia& linha);

// The opening balance the cash-flow items loaded (0 without a row).
double SaldoAnteriorDe(TnItensFluxoCaixa& itens);

// A point of the balance line (series 0) and its zero line (series 1).
void AdicionarPontoSaldo(TnpqChart* grafico, double saldo, const std::string& rotulo);

// The opening balance: its line in a listing (without and with the limit)
// and the first point of the chart, when there is one.
void ImprimirSaldoAnterior(TnrwReport* report, TnTipoRelat tipo, TnpqChart* grafico, double saldo,
                           double saldo_com_limite);

// The account block of the listing (sections 8, 13, 10); answers the sum
// of the limits of the listed accounts.
double ImprimirBlocoContas(TnrwReport* report, TnDadosContasCorrentes& contas);

// The chart of the layout for a new company: the series emptied, the texts
// cleared, the balance series formatted.
TnpqChart* PrepararGrafico(TnrwReport* report, int series);

// The lookup of pCodigodaConta never offers accounts of modality 0.
std::string CondicaoContaCorrente();
void InstalarCondicaoContaCorrente(TnrwReport* report);

// pTipoOper only makes sense when settlements (origin 2) are counted: it is
// enabled when the origin selection is empty or includes 2.
void HabilitarTipoOperacao(TnrwReport* report);

// The text of a yes/no parameter as the panel shows it, read as yes or no.
bool ParametroSim(TnrwReport* report, const std::string& nome);

// The trimmed text of a selection parameter, refused (EnParam naming it)
// when it is not a selection.
std::string LerSelecao(TnrwReport* report, const std::string& nome);

// pDataInicial and pDataFinal; raises when the range is reversed.
void LerPeriodo(TnrwReport* report, TDateTime& inicio, TDateTime& fim);

}  // namespace vireo
