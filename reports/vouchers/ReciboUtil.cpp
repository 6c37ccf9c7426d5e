#include "reports/vouchers/ReciboUtil.h"

#include <algorithm>

#include "host/biz/telefone.h"
#include "host/core/convert.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/report/engine.h"
#include "host/report/image.h"
#include "host/report/labels.h"
#include "host/report/report_utils.h"

namespace vireo {

namespace {

const char kMascaraValor[] = "#,##0.00";
const char kTextoDiversos[] = "Diversos";
constexpr int kTipoTelefone = 1;
// The frame's sides on a blank line: shown inside a voucher, hidden on the
// lines that separate two.
const char* const kBordasBranco[] = {"linBrancoEsq", "linBrancoDir"};

std::string MesAno(TDateTime data) { return FormatDateTime("mm/yyyy", data); }

// Puts the cursor back on the row it was on, whatever happens on the way.
class TnVoltarRegistro {
 public:
  explicit TnVoltarRegistro(TnClientDataSet* cds) : cds_(cds), recno_(cds->RecNo()) {}
  ~TnVoltarRegistro() { cds_->SetRecNo(recno_); }
  TnVoltarRegistro(const TnVoltarRegistro&) = delete;
  TnVoltarRegistro& operator=(const TnVoltarRegistro&) = delete;

 private:
  TnClientDataSet* cds_;
  int recno_;
};

}  // namespace

TnFiltroRecibo LerFiltroRecibo(TnrwReport* report) {
  TnFiltroRecibo filtro;
  filtro.CodigoEscrit = StrToIntDef(report->RepParam("pCodigoEscrit"), 0);
  filtro.DataInicial = StrToDateDef(report->RepParam("pDataInicial"), 0);
  filtro.DataFinal = StrToDateDef(report->RepParam("pDataFinal"), 0);
  filtro.CodigoAcerto = Trim(report->RepParam("pCodigoAcerto"));
  filtro.CodigoPessoaFin = Trim(report->RepParam("pCodigoPessoaFin"));
  return filtro;
}

TnImpressaoRecibos::TnImpressaoRecibos(TnrwReport* report, TnClientDataSet* cds,
                                       const TnCamposRecibo& campos, const TnTextosRecibo& textos)
    : FReport(report), FCds(cds), FCampos(campos), FTextos(textos) {
  for (int i = 0; i < FReport->GetObjectCount(); ++i) {
    TnpqObject* objeto = FReport->GetObjects(i);
    for (const char* nome : kBordasBranco) {
      if (objeto->Name() == nome) FBordasBranco.push_back(objeto);
    }
  }
}

void TnImpressaoRecibos::Imprimir() {
  FNumeroReciboAtual.clear();
  FQtdeEventosReciboAtual = 0;
  FTotalRecibo = 0;
  FUltimaData = 0;
  FCds->First();
  PreencherTimbre();
  while (!FCds->Eof()) {
    if (FCampos.NUMERORECIBO->AsString() != FNumeroReciboAtual) IniciarRecibo();
    ImprimirEventos();
    FCds->Next();
    if (!FCds->Eof() && FCampos.NUMERORECIBO->AsString() == FNumeroReciboAtual) continue;
    FecharRecibo();
  }
}

void TnImpressaoRecibos::PreencherTimbre() {
  FReport->ImageByName("logoEmpresa")->SetImage(CarregarLogoEmpresa(FCampos.LOGO));
  FReport->SetValues("pEmpresaNome", FCampos.NOMEEMPRESA->AsString());
  FReport->SetValues("pEmpresaInscricaoEstadual", FCampos.INSCFEDERALEMPRESA->AsString());
  FReport->SetValues("pEmpresaEndereco", FCampos.ENDERECO->AsString());
  FReport->SetValues("pEmpresaTelefone",
                     SetMascaraTelefone(kTipoTelefone, FCampos.TELEFONE->Value()));
}

// The latest settlement date, the reference month ("Diversos" when the
// installments fall due in different months) and the number of event
// lines, over the current row and those after it with the same receipt.
TnImpressaoRecibos::TnResumoRecibo TnImpressaoRecibos::LerRecibo() const {
  TnVoltarRegistro voltar(FCds);
  const std::string numero = FCampos.NUMERORECIBO->AsString();
  TnResumoRecibo resumo;
  resumo.competencia = MesAno(FCampos.DATAVENCIMENTO->AsDateTime());
  for (; !FCds->Eof() && FCampos.NUMERORECIBO->AsString() == numero; FCds->Next()) {
    resumo.ultima_data = std::max(resumo.ultima_data, FCampos.DATALANCAMENTOBAIXA->AsDateTime());
    if (MesAno(FCampos.DATAVENCIMENTO->AsDateTime()) != resumo.competencia &&
        resumo.competencia != kTextoDiversos) {
      resumo.competencia = kTextoDiversos;
    }
    resumo.eventos += 1 + (FCampos.VALORJUROBAIXA->AsFloat() > 0) +
                      (FCampos.VALORMULTABAIXA->AsFloat() > 0) +
                      (FCampos.VALORDESCBAIXA->AsFloat() > 0);
  }
  return resumo;
}

// Every section of a voucher of that many event lines, in print order.
std::vector<int> TnImpressaoRecibos::SecoesDoRecibo(int eventos) const {
  using S = TnSecoesRecibo;
  std::vector<int> secoes = {S::kInicioRecibo, S::kEspacoQuadro, S::kCabecalhoRecibo,
                             S::kFavorecido};
  secoes.insert(secoes.end(), eventos, S::kEvento);
  secoes.insert(secoes.end(), std::max(0, kLinhasRecibo - eventos), S::kLinhaEmBranco);
  secoes.insert(secoes.end(), {S::kTotal, S::kEspacoQuadro, S::kLinhaEmBranco, S::kFechamento});
  secoes.insert(secoes.end(), kLinhasAposRecibo, S::kLinhaEmBranco);
  return secoes;
}

void TnImpressaoRecibos::IniciarRecibo() {
  FNumeroReciboAtual = FCampos.NUMERORECIBO->AsString();
  FQtdeEventosReciboAtual = 0;
  const TnResumoRecibo resumo = LerRecibo();
  // A receipt is signed on one sheet: one that would not fit under the
  // previous one starts a new page.
  if (!FReport->CanPrintSection(SecoesDoRecibo(resumo.eventos))) FReport->RepEndOfPage(true);
  BrancoNoQuadro(true);
  FReport->RepPrintSection(TnSecoesRecibo::kInicioRecibo);
  FReport->RepPrintSection(TnSecoesRecibo::kEspacoQuadro);
  FReport->SetValues(
      "pPessoaPagamento",
      FormatFloat("0000", static_cast<double>(FCampos.CODIGOPESSOAFIN->AsInteger())) + " " +
          FCampos.NOMECLI->AsString());
  FReport->SetValues("pInscrFederalPessoaPag", FCampos.INSCFEDERALCLI->AsString());
  FReport->SetValues("pCompetenciaExibir", resumo.competencia);
  FReport->SetValues("pNumeroReciboExibir", FNumeroReciboAtual);
  FUltimaData = resumo.ultima_data;
  FReport->SetValues(FTextos.data_pagamento, FormatDateTime("dd/mm/yyyy", FUltimaData));
  FReport->RepPrintSection(TnSecoesRecibo::kCabecalhoRecibo);
  FReport->RepPrintSection(TnSecoesRecibo::kFavorecido);
  FTotalRecibo = 0;
}

void TnImpressaoRecibos::Evento(const std::string& texto, const std::string& valor) {
  FReport->SetValues("pEvento", texto);
  FReport->SetValues("pValorEvento", valor);
  FReport->RepPrintSection(TnSecoesRecibo::kEvento);
  ++FQtdeEventosReciboAtual;
}

void TnImpressaoRecibos::ImprimirEventos() {
  const std::string parcela =
      "Parcela " + FCampos.PARCELA->AsString() + FTextos.conta + FCampos.CODIGOCAB->AsString();
  const std::string historico = FCampos.HISTORICO->AsString();
  const double valor = FCampos.VALORBAIXA->AsFloat();
  const double juros = FCampos.VALORJUROBAIXA->AsFloat();
  const double multa = FCampos.VALORMULTABAIXA->AsFloat();
  const double desconto = FCampos.VALORDESCBAIXA->AsFloat();
  Evento(parcela + (Trim(historico).empty() ? "" : " (" + historico + ")"),
         FormatFloat(kMascaraValor, valor));
  if (juros > 0) Evento("Juros " + parcela, FormatFloat(kMascaraValor, juros));
  if (multa > 0) Evento("Multa " + parcela, FormatFloat(kMascaraValor, multa));
  if (desconto > 0) Evento("Desconto " + parcela, "-" + FormatFloat(kMascaraValor, desconto));
  FTotalRecibo += valor + juros + multa - desconto;
}

void TnImpressaoRecibos::FecharRecibo() {
  for (int linha = FQtdeEventosReciboAtual + 1; linha <= kLinhasRecibo; ++linha) {
    FReport->RepPrintSection(TnSecoesRecibo::kLinhaEmBranco);
  }
  if (!FCds->Eof()) FCds->Prior();
  FReport->SetValues("pTotalEventos", FormatFloat(kMascaraValor, FTotalRecibo));
  FReport->RepPrintSection(TnSecoesRecibo::kTotal);
  FReport->RepPrintSection(TnSecoesRecibo::kEspacoQuadro);
  FReport->RepPrintSection(TnSecoesRecibo::kLinhaEmBranco);
  FReport->SetValues("pCidadeImobiliaria", FCampos.NOMEMUNICIPIO->AsString());
  FReport->SetValues("pUFImobiliaria", FCampos.SIGLAESTADO->AsString());
  FReport->SetValues("pData", MesAno(FUltimaData));
  FReport->SetValues("pAssinatura", FCampos.NOMECLI->AsString());
  FReport->RepPrintSection(TnSecoesRecibo::kFechamento);
  BrancoNoQuadro(false);
  for (int linha = 0; linha < kLinhasAposRecibo; ++linha) {
    FReport->RepPrintSection(TnSecoesRecibo::kLinhaEmBranco);
  }
  FCds->Next();
}

void TnImpressaoRecibos::BrancoNoQuadro(bool no_quadro) {
  for (TnpqObject* borda : FBordasBranco) borda->SetVisible(no_quadro);
}

}  // namespace vireo
