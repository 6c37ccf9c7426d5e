#include "host/biz/extrato.h"

#include <map>
#include <utility>
#include <vector>

#include "host/biz/empresas.h"
#include "host/biz/extrato_linhas.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

// The payable and the receivable statement read the same shapes from
// twin tables.
struct TnTabelasExtrato {
  const char* parcelas;   // installments
  const char* baixas;     // their settlements
  const char* cabecalho;  // header code column
  const char* parcela;    // installment code column
  const char* baixa;      // settlement row code column
  const char* sufixo;     // of the installment columns: PAG / REC
  const char* parametro;  // the panel's person selection, for errors
  TnLadosExtrato lados;
};

namespace {

const TnTabelasExtrato kFornecedor = {"FPRCONTAPAGAR",     "FPRCONTAPAGARBAIXA", "CODIGOPAGARCAB",
                                      "CODIGOPAGAR",       "CODIGOPAGARBAIXA",   "PAG",
                                      "pCodigoFornecedor", {'C', "Pagamento "}};
const TnTabelasExtrato kCliente = {"FPRCONTARECEBER", "FPRCONTARECEBERBAIXA", "CODIGORECEBERCAB",
                                   "CODIGORECEBER",   "CODIGORECEBERBAIXA",   "REC",
                                   "pCodigoCliente",  {'D', "Recebimento "}};

constexpr int kSituacaoCancelada = 4;

struct TnMapperParcelaExtrato {
  TField* CODIGOESCRIT{};
  TField* CODIGOCAB{};
  TField* CODIGOPARCELA{};
  TField* CODIGOPESSOAFIN{};
  TField* NOMEPESSOA{};
  TField* PARCELA{};
  TField* DOCUMENTO{};
  TField* DATA{};
  VIREO_MAPPER(TnMapperParcelaExtrato, CODIGOESCRIT, CODIGOCAB, CODIGOPARCELA, CODIGOPESSOAFIN,
               NOMEPESSOA, PARCELA, DOCUMENTO, DATA)
};

struct TnMapperTituloExtrato {
  TField* VALOR{};
  TField* HISTORICO{};
  VIREO_MAPPER(TnMapperTituloExtrato, VALOR, HISTORICO)
};

struct TnMapperBaixaExtrato {
  TField* CODIGOACERTO{};
  TField* CODIGOBAIXA{};
  TField* VALORBAIXA{};
  TField* VALORJUROBAIXA{};
  TField* VALORMULTABAIXA{};
  TField* VALORDESCBAIXA{};
  VIREO_MAPPER(TnMapperBaixaExtrato, CODIGOACERTO, CODIGOBAIXA, VALORBAIXA, VALORJUROBAIXA,
               VALORMULTABAIXA, VALORDESCBAIXA)
};

std::string Coluna(const TnTabelasExtrato& t, const std::string& nome) {
  return "T." + nome + t.sufixo;
}

// The installment columns both queries read, and the conditions both keep.
std::string ColunasParcela(const TnTabelasExtrato& t) {
  return std::string("T.CODIGOESCRIT, T.") + t.cabecalho + " as CODIGOCAB, T." + t.parcela +
         " as CODIGOPARCELA, T.CODIGOPESSOAFIN, P.NOME as NOMEPESSOA, " + Coluna(t, "PARCELA") +
         " as PARCELA, " + Coluna(t, "DOCUMENTO") + " as DOCUMENTO";
}

std::string CondicoesParcela(const TnTabelasExtrato& t, const std::string& escrit,
                             const std::string& pessoa) {
  return " left join PESSOAFINANCEIRO P on P.CODIGOPESSOAFIN = T.CODIGOPESSOAFIN"
         " where T.CODIGOPESSOAFIN is not null and coalesce(" +
         Coluna(t, "SITUACAO") + ", 1) <> " + IntToStr(kSituacaoCancelada) +
         FilterInterval("T.CODIGOESCRIT", escrit, {1}, true, 0) +
         FilterInterval("T.CODIGOPESSOAFIN", pessoa, {1}, true, 0);
}

std::string SelectTitulos(const TnTabelasExtrato& t, const std::string& escrit,
                          const std::string& pessoa) {
  return "select " + ColunasParcela(t) + ", " + Coluna(t, "DATALANCAMENTO") + " as DATA, " +
         Coluna(t, "VALOR") + " as VALOR, " + Coluna(t, "HISTORICO") + " as HISTORICO from " +
         t.parcelas + " T" + CondicoesParcela(t, escrit, pessoa) + " and " +
         Coluna(t, "DATALANCAMENTO") + " <= :pDataFinal";
}

std::string SelectBaixas(const TnTabelasExtrato& t, const std::string& escrit,
                         const std::string& pessoa) {
  const std::string cab = t.cabecalho, parc = t.parcela;
  return "select " + ColunasParcela(t) + ", B.DATALANCAMENTOBAIXA as DATA, B.CODIGOACERTO, B." +
         t.baixa +
         " as CODIGOBAIXA, B.VALORBAIXA, B.VALORJUROBAIXA, B.VALORMULTABAIXA, B.VALORDESCBAIXA "
         "from " +
         t.baixas + " B join " + t.parcelas + " T on T.CODIGOESCRIT = B.CODIGOESCRIT and T." + cab +
         " = B." + cab + " and T." + parc + " = B." + parc + CondicoesParcela(t, escrit, pessoa) +
         " and B.DATALANCAMENTOBAIXA <= :pDataFinal";
}

// "NF 123/2", or the header code when the installment has no document.
std::string TextoDocumento(const TnMapperParcelaExtrato& m) {
  std::string documento = Trim(m.DOCUMENTO->AsString());
  if (documento.empty()) documento = m.CODIGOCAB->AsString();
  const TField* numero = m.PARCELA->IsNull() ? m.CODIGOPARCELA : m.PARCELA;
  return documento + "/" + numero->AsString();
}

void LerParcela(const TnMapperParcelaExtrato& m, TnParcelaExtrato& p) {
  p.empresa = m.CODIGOESCRIT->AsInteger();
  p.cabecalho = m.CODIGOCAB->AsInteger();
  p.parcela = m.CODIGOPARCELA->AsInteger();
  p.pessoa = m.CODIGOPESSOAFIN->AsInteger();
  p.nome_pessoa = m.NOMEPESSOA->AsString();
  p.documento = TextoDocumento(m);
}

// Runs a query and frees its dataset whatever happens.
class TnConsulta {
 public:
  TnConsulta(const std::string& sql, const TnSQLParams& params)
      : dados_(ExecutarSQL(sql, params, true, false, -1, "", nullptr, true)), guarda_(dados_) {}
  TnClientDataSet* operator->() const { return dados_; }
  TnClientDataSet* get() const { return dados_; }

 private:
  TnClientDataSet* dados_;
  TnSQLGuard guarda_;
};

std::vector<TnTituloExtrato> LerTitulos(const std::string& sql, TDateTime fim) {
  TnConsulta cds(sql, {Variant::FromDateTime(DateOf(fim))});
  const auto* parcela = cds->GetMapper<TnMapperParcelaExtrato>();
  const auto* titulo = cds->GetMapper<TnMapperTituloExtrato>();
  std::vector<TnTituloExtrato> titulos;
  titulos.reserve(cds->RecordCount());
  for (cds->First(); !cds->Eof(); cds->Next()) {
    TnTituloExtrato t;
    LerParcela(*parcela, t);
    t.data = parcela->DATA->AsDateTime();
    t.valor = titulo->VALOR->AsFloat();
    t.historico = titulo->HISTORICO->AsString();
    titulos.push_back(std::move(t));
  }
  return titulos;
}

std::vector<TnBaixaExtrato> LerBaixas(const std::string& sql, TDateTime fim) {
  TnConsulta cds(sql, {Variant::FromDateTime(DateOf(fim))});
  const auto* parcela = cds->GetMapper<TnMapperParcelaExtrato>();
  const auto* baixa = cds->GetMapper<TnMapperBaixaExtrato>();
  std::vector<TnBaixaExtrato> baixas;
  baixas.reserve(cds->RecordCount());
  for (cds->First(); !cds->Eof(); cds->Next()) {
    TnBaixaExtrato b;
    LerParcela(*parcela, b);
    b.data = parcela->DATA->AsDateTime();
    b.acerto = baixa->CODIGOACERTO->AsInteger();
    b.baixa = baixa->CODIGOBAIXA->AsInteger();
    b.valor = baixa->VALORBAIXA->AsFloat();
    b.juros = baixa->VALORJUROBAIXA->AsFloat();
    b.multa = baixa->VALORMULTABAIXA->AsFloat();
    b.desconto = baixa->VALORDESCBAIXA->AsFloat();
    baixas.push_back(std::move(b));
  }
  return baixas;
}

struct TnEmpresaExtrato {
  std::string nome;
  std::string inscricao;
};

std::map<int64_t, TnEmpresaExtrato> LerEmpresas(const std::string& escrit) {
  TnConsulta cds(SelectEmpresas(escrit), {});
  const auto* m = cds->GetMapper<TnMapperEmpresas>();
  std::map<int64_t, TnEmpresaExtrato> empresas;
  for (cds->First(); !cds->Eof(); cds->Next()) {
    empresas[m->CODIGOPESSOAFIN->AsInteger()] = {m->Nome->AsString(), m->InscFederal->AsString()};
  }
  return empresas;
}

std::unique_ptr<TnClientDataSet> CriarDados() {
  auto dados = std::make_unique<TnClientDataSet>();
  dados->AddFieldDef("NOMEEMPRESA", TFieldType::String, 120);
  dados->AddFieldDef("INSCFEDERALEMPRESA", TFieldType::String, 30);
  dados->AddFieldDef("CODIGOPESSOA", TFieldType::Integer);
  dados->AddFieldDef("NOMEPESSOA", TFieldType::String, 100);
  dados->AddFieldDef("DATA", TFieldType::DateTime);
  dados->AddFieldDef("HISTORICO", TFieldType::String, 300);
  dados->AddFieldDef("COMPLEMENTO", TFieldType::String, 250);
  dados->AddFieldDef("VALOR", TFieldType::Float);
  dados->AddFieldDef("LADO", TFieldType::String, 1);
  dados->CreateDataSet();
  return dados;
}

}  // namespace

TnExtrato::TnExtrato(const TnTabelasExtrato& tabelas) : FTabelas(tabelas), FDados(CriarDados()) {}
TnExtrato::~TnExtrato() = default;

TnExtratoFornecedor::TnExtratoFornecedor() : TnExtrato(kFornecedor) {}
TnExtratoFornecedor::~TnExtratoFornecedor() = default;

TnExtratoCliente::TnExtratoCliente() : TnExtrato(kCliente) {}
TnExtratoCliente::~TnExtratoCliente() = default;

void TnExtrato::CarregarItens() {
  ParseSelection(FCodigoEscrit, "pCodigoEscrit");
  ParseSelection(FCodigoPessoa, FTabelas.parametro);
  const std::map<int64_t, TnEmpresaExtrato> empresas = LerEmpresas(FCodigoEscrit);
  std::vector<TnLinhaExtrato> linhas = MontarLinhasExtrato(
      LerTitulos(SelectTitulos(FTabelas, FCodigoEscrit, FCodigoPessoa), FDataFinal),
      LerBaixas(SelectBaixas(FTabelas, FCodigoEscrit, FCodigoPessoa), FDataFinal), FDataInicial,
      FDataFinal, FTabelas.lados);

  FDados->EmptyDataSet();
  TMapDds* m = FDados->GetMapper<TMapDds>();
  FDados->Reserve(static_cast<int>(linhas.size()));
  for (const TnLinhaExtrato& l : linhas) {
    FDados->Append();
    const auto empresa = empresas.find(l.empresa);
    const bool conhecida = empresa != empresas.end();
    m->NOMEEMPRESA->SetAsString(FormatFloat("0000", static_cast<double>(l.empresa)) + " " +
                                (conhecida ? empresa->second.nome : std::string()));
    m->INSCFEDERALEMPRESA->SetAsString("CNPJ: " +
                                       (conhecida ? empresa->second.inscricao : std::string()));
    m->CODIGOPESSOA->SetAsInteger(l.pessoa);
    m->NOMEPESSOA->SetAsString(l.nome_pessoa);
    m->DATA->SetAsDateTime(l.data);
    m->HISTORICO->SetAsString(l.historico);
    m->COMPLEMENTO->SetAsString(l.complemento);
    m->VALOR->SetAsFloat(l.valor);
    m->LADO->SetAsString(std::string(1, l.lado));
    FDados->Post();
  }
  FDados->First();
}

}  // namespace vireo
