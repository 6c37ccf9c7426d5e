#include "reports/payables/ExtratoUtil.h"

#include <cmath>

#include "host/biz/exibe_empresa.h"
#include "host/biz/extrato.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/report/engine.h"

namespace vireo {

const char kMsgDatasExtrato[] = "A data inicial não pode ser maior que a data final.";

namespace {

const char kMascaraValor[] = "##,###,##0.00";

class TnPercursoExtrato {
 public:
  TnPercursoExtrato(TnrwReport* report, TnClientDataSet* dados, const TnVariacaoExtrato& variacao,
                    double& saldo)
      : report_(report),
        dados_(dados),
        linha_(dados->GetMapper<TMapDds>()),
        variacao_(variacao),
        saldo_(saldo) {}

  void Pessoas() {
    long long posicao = 0;
    const long long total = dados_->RecordCount();
    while (!dados_->Eof()) {
      const std::string pessoa = linha_->CODIGOPESSOA->AsString();
      saldo_ = 0;
      CabecalhoGrupo();
      for (dados_->Next(); !dados_->Eof() && linha_->CODIGOPESSOA->AsString() == pessoa;
           dados_->Next()) {
        Linha();
        report_->CSLShowProgress(++posicao, total);
      }
      report_->RepPrintSection(TnSecoesExtrato::kRodapeGrupo);
    }
  }

 private:
  void PassoSaldo() {
    const double valor = linha_->VALOR->AsFloat();
    saldo_ += linha_->LADO->AsString() == variacao_.lado_que_diminui ? -valor : valor;
    // Kept in whole cents: a balance that is zero on paper must not print
    // as "(0,00)" from what binary fractions leave over.
    saldo_ = std::round(saldo_ * 100) / 100;
    const std::string absoluto = FormatFloat(kMascaraValor, std::fabs(saldo_));
    if (saldo_ >= 0) {
      report_->SetValues("R5", absoluto);
      report_->SetValues("R6", "");
    } else {
      report_->SetValues("R5", "(" + absoluto);
      report_->SetValues("R6", ")");
    }
  }

  void CabecalhoGrupo() {
    report_->SetValues("R2", linha_->HISTORICO->AsString());
    report_->SetValues(variacao_.codigo_exibir, linha_->CODIGOPESSOA->AsString());
    report_->SetValues(variacao_.descricao, linha_->NOMEPESSOA->AsString());
    PassoSaldo();
    report_->RepPrintSection(TnSecoesExtrato::kCabecalhoGrupo);
  }

  void Linha() {
    const std::string lado = linha_->LADO->AsString();
    const std::string valor = FormatFloat(kMascaraValor, linha_->VALOR->AsFloat());
    report_->SetValues("R1", FormatDateTime("dd/MM/yyyy", linha_->DATA->AsDateTime()));
    report_->SetValues("R2", linha_->HISTORICO->AsString());
    report_->SetValues("R3", lado == "D" ? valor : "");
    report_->SetValues("R4", lado == "C" ? valor : "");
    report_->SetValues("R7", linha_->COMPLEMENTO->AsString());
    PassoSaldo();
    report_->RepPrintSection(TnSecoesExtrato::kLinha);
  }

  TnrwReport* report_;
  TnClientDataSet* dados_;
  const TMapDds* linha_;
  const TnVariacaoExtrato& variacao_;
  double& saldo_;
};

}  // namespace

void LerPeriodoExtrato(TnrwReport* report, TDateTime& inicio, TDateTime& fim) {
  inicio = StrToDateDef(report->RepParam("pDataInicial"), 0);
  fim = StrToDateDef(report->RepParam("pDataFinal"), 0);
}

void ConferirPeriodoExtrato(TDateTime inicio, TDateTime fim) {
  if (fim < inicio) throw Exception(kMsgDatasExtrato);
}

void ImprimirExtrato(TnrwReport* report, TnClientDataSet* dados, const TnVariacaoExtrato& variacao,
                     TDateTime inicio, TDateTime fim, const std::string& codigo_escrit,
                     double& saldo) {
  dados->First();
  report->SetValues("pTitulo",
                    std::string(variacao.titulo) + DateToStr(inicio) + " e " + DateToStr(fim));
  const TMapDds* linha = dados->GetMapper<TMapDds>();
  const bool exibe = ExibeEmpresaRel(codigo_escrit);
  report->SetValues("pNomeEmpresa", exibe ? linha->NOMEEMPRESA->AsString() : "");
  report->SetValues("pInscrFederal", exibe ? linha->INSCFEDERALEMPRESA->AsString() : "");
  TnPercursoExtrato(report, dados, variacao, saldo).Pessoas();
}

}  // namespace vireo
