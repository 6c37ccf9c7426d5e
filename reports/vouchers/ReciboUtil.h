// What the payment and the receipt voucher share: the sections of their
// layouts and the walk that prints one framed voucher per receipt number
// (letterhead, payee, one line per settled amount, blank lines up to a
// fixed height, the total, place, date and signature).
#pragma once

#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "reports/vouchers/ReciboSQL.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnrwReport;
class TnpqObject;

struct TnSecoesRecibo {
  enum Secao : int {
    kCabecalhoRecibo = 8,  // letterhead, title, receipt number and date
    kEvento = 9,
    kTotal = 10,
    kFechamento = 12,     // place, date and signature
    kEspacoQuadro = 13,   // a little room inside the frame
    kLinhaEmBranco = 15,  // fills the voucher up to its height, or separates two
    kInicioRecibo = 16,   // the top of the frame
    kFavorecido = 18,     // payee, tax number, reference month
  };
};

// Event lines a voucher holds before its blank lines run out.
constexpr int kLinhasRecibo = 15;
// Blank lines under a voucher's closing block.
constexpr int kLinhasAposRecibo = 3;

// The columns the walk reads, bound from the report's own mapper.
struct TnCamposRecibo {
  TField* LOGO{};
  TField* CODIGOPESSOAFIN{};
  TField* CODIGOCAB{};  // CODIGOPAGARCAB / CODIGORECEBERCAB
  TField* NUMERORECIBO{};
  TField* NOMEEMPRESA{};
  TField* INSCFEDERALEMPRESA{};
  TField* TELEFONE{};
  TField* ENDERECO{};
  TField* NOMEMUNICIPIO{};
  TField* SIGLAESTADO{};
  TField* NOMECLI{};
  TField* INSCFEDERALCLI{};
  TField* DATAVENCIMENTO{};
  TField* HISTORICO{};
  TField* PARCELA{};
  TField* DATALANCAMENTOBAIXA{};
  TField* VALORBAIXA{};
  TField* VALORJUROBAIXA{};
  TField* VALORMULTABAIXA{};
  TField* VALORDESCBAIXA{};
};

// The columns both reports' mappers name alike; the caller adds the four
// of its own installment table (CODIGOCAB, DATAVENCIMENTO, HISTORICO,
// PARCELA).
template <class TMapper>
TnCamposRecibo CamposComuns(const TMapper& m) {
  TnCamposRecibo c;
  c.LOGO = m.LOGO;
  c.CODIGOPESSOAFIN = m.CODIGOPESSOAFIN;
  c.NUMERORECIBO = m.NUMERORECIBO;
  c.NOMEEMPRESA = m.NOMEEMPRESA;
  c.INSCFEDERALEMPRESA = m.INSCFEDERALEMPRESA;
  c.TELEFONE = m.TELEFONE;
  c.ENDERECO = m.ENDERECO;
  c.NOMEMUNICIPIO = m.NOMEMUNICIPIO;
  c.SIGLAESTADO = m.SIGLAESTADO;
  c.NOMECLI = m.NOMECLI;
  c.INSCFEDERALCLI = m.INSCFEDERALCLI;
  c.DATALANCAMENTOBAIXA = m.DATALANCAMENTOBAIXA;
  c.VALORBAIXA = m.VALORBAIXA;
  c.VALORJUROBAIXA = m.VALORJUROBAIXA;
  c.VALORMULTABAIXA = m.VALORMULTABAIXA;
  c.VALORDESCBAIXA = m.VALORDESCBAIXA;
  return c;
}

// The panel's values: the company (0 when not a number), the dates (0 when
// not dates) and the trimmed selections.
TnFiltroRecibo LerFiltroRecibo(TnrwReport* report);

// How one voucher differs from the other.
struct TnTextosRecibo {
  const char* conta;           // ", Conta Pagar " / ", Conta Receber "
  const char* data_pagamento;  // pDataPagamento / pDataRecebimento
};

class TnImpressaoRecibos {
 public:
  TnImpressaoRecibos(TnrwReport* report, TnClientDataSet* cds, const TnCamposRecibo& campos,
                     const TnTextosRecibo& textos);
  // Prints every voucher of the rows (not empty), from the first row.
  void Imprimir();

 private:
  // What is read ahead over the rows of the current receipt.
  struct TnResumoRecibo {
    TDateTime ultima_data = 0;
    std::string competencia;
    int eventos = 0;
  };

  TnResumoRecibo LerRecibo() const;
  void PreencherTimbre();
  void IniciarRecibo();
  void ImprimirEventos();
  void Evento(const std::string& texto, const std::string& valor);
  void FecharRecibo();
  std::vector<int> SecoesDoRecibo(int eventos) const;
  void BrancoNoQuadro(bool no_quadro);

  TnrwReport* FReport;
  TnClientDataSet* FCds;
  const TnCamposRecibo FCampos;
  const TnTextosRecibo& FTextos;
  std::vector<TnpqObject*> FBordasBranco;  // the frame's sides on a blank line
  std::string FNumeroReciboAtual;
  int FQtdeEventosReciboAtual = 0;
  double FTotalRecibo = 0;
  TDateTime FUltimaData = 0;  // of the current receipt's settlements
};

}  // namespace vireo
