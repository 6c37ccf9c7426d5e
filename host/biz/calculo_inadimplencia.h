// TnCalculoInadimplencia: the late-payment interest and fine of a title.
//
// Made once per print with the user's choices (whether to compute at all,
// the reference date, the currency or index of the monetary correction and
// the kind of calculation) and asked, title by title, for the interest and
// the fine of a value due on a date in a company:
//
//  - nothing is due when the option is off, the value is not above 0, the
//    reference date is empty, or the reference date does not pass the due
//    date plus the company's days of grace;
//  - the company's rules are its first collection setting (EMPRESACFGBOLETO
//    with the lowest CODIGOEMPRESACFGBOLETO); a company without one owes
//    nothing;
//  - fine: PERCMULTA percent of the value, once;
//  - interest of kind 1: monetary correction by the quotations of the
//    currency (FPRMOEDACOTACAO), value x (Q(reference) / Q(due) - 1), never
//    below 0, Q(d) being the latest quotation on or before d; any other kind:
//    PERCJUROMES percent a month, pro rata over 30 days, for every day from
//    the due date to the reference date (the days of grace only delay the
//    start).
//
// Answers are rounded to centavos, half away from zero.  Settings are read
// once per company and the quotations once per print, so a report may ask
// for every title of a large listing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/export.h"

namespace vireo {

// Calculation kinds (pTipoCalculo).
enum TnTipoCalculoInadimplencia { tciJuroSimples = 0, tciCorrecaoMonetaria = 1 };

class VIREO_API TnCalculoInadimplencia {
 public:
  TnCalculoInadimplencia(bool calcular_juros, TDateTime data_base, int64_t codigo_moeda,
                         int tipo_calculo);
  ~TnCalculoInadimplencia();
  TnCalculoInadimplencia(const TnCalculoInadimplencia&) = delete;
  TnCalculoInadimplencia& operator=(const TnCalculoInadimplencia&) = delete;

  double CalcularJuro(TDateTime vencimento, double valor, int64_t codigo_escrit);
  double CalcularMulta(TDateTime vencimento, double valor, int64_t codigo_escrit);

  // Times the collection settings were read from the database (one per
  // company asked about).
  int LeiturasConfiguracao() const { return leituras_configuracao_; }

 private:
  struct Configuracao {
    double perc_juro_mes = 0;
    double perc_multa = 0;
    int dias_carencia = 0;
  };
  struct Cotacao {
    TDateTime data;
    double valor;
  };

  // The company's rules when something is due on this title, else null.
  const Configuracao* Devido(TDateTime vencimento, double valor, int64_t codigo_escrit);
  const std::optional<Configuracao>& ConfiguracaoDe(int64_t codigo_escrit);
  double CorrecaoMonetaria(TDateTime vencimento, double valor);
  double CotacaoEm(TDateTime data);

  bool calcular_juros_;
  TDateTime data_base_;
  int64_t codigo_moeda_;
  int tipo_calculo_;
  std::map<int64_t, std::optional<Configuracao>> configuracoes_;
  std::optional<std::vector<Cotacao>> cotacoes_;  // by date, read on first need
  int leituras_configuracao_ = 0;
};

// Rounds to centavos, half away from zero.
VIREO_API double ArredondarCentavos(double valor);

}  // namespace vireo
