#include "agenda/ncxSchedulerEventEditor.h"

#include "agenda/DestinoUsuarios.h"
#include "agenda/FiltroPessoaAgenda.h"
#include "host/biz/produto.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/messages.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/host_session.h"
#include "host/data/host_variables.h"
#include "host/data/selection.h"
#include "host/data/sql.h"
#include "host/report/main_form.h"
#include "host/scheduler/agenda_lookups.h"
#include "host/scheduler/event_labels.h"
#include "host/scheduler/event_storage.h"

namespace vireo {
namespace {

constexpr int kProdutoImobiliario = 2;
constexpr int kCorVisitaImovel = 12250516;
constexpr int kCorVencimentos = 255;
constexpr int kCorConcluida = 65535;  // yellow
constexpr const char* kDireitoAgendar = "DireitoPodeAgendarCompromisso";
constexpr int kValorDireito = 56;
constexpr int kCodigoAdministrador = 0;
constexpr const char* kTextoAdministrador = "ADMINISTRADOR";
constexpr const char* kValorNaoCadastrado = "Valor não cadastrado";
// Panel of the added rows: its height while they are built, and each row's.
constexpr int kAlturaPainelInicial = 106;
constexpr int kLinhasIniciais = 3;
constexpr int kAlturaLinha = 25;
constexpr int kMargemPainel = 4;

TnParamDef Linha(const char* name, const char* caption, TnParamKind kind, std::string lookup = {},
                 std::vector<TnParamChoice> items = {}) {
  TnParamDef def;
  def.name = name;
  def.caption = caption;
  def.kind = kind;
  def.lookup = std::move(lookup);
  def.items = std::move(items);
  return def;
}

// "" or the code's description from a two-column lookup (code, text).
std::string DescricaoDe(const std::string& sql, const std::string& codigo) {
  int64_t valor = 0;
  if (!TryStrToInt64(Trim(codigo), valor)) return "";
  TnClientDataSet* linhas = ExecutarSQL(sql, {Variant(valor)});
  TnSQLGuard guarda(linhas);
  return linhas->IsEmpty() ? kValorNaoCadastrado : linhas->Fields(1)->AsString();
}

bool Existe(const std::string& sql, const std::vector<Variant>& valores) {
  TnClientDataSet* linhas = ExecutarSQL(sql, TnSQLParams(valores));
  TnSQLGuard guarda(linhas);
  return !linhas->IsEmpty() && linhas->Fields(0)->AsInteger() > 0;
}

Variant TextoOuNulo(const std::string& texto) {
  const std::string t = Trim(texto);
  return t.empty() ? Variant() : Variant(t);
}

int EmpresaAtual() {
  const Variant empresa = nDMConexao().Selecao().GetParamValue("CodigoEscrit");
  return empresa.IsNull() ? 0 : static_cast<int>(empresa.AsInteger());
}

}  // namespace

TncxSchedulerEventEditor::~TncxSchedulerEventEditor() noexcept = default;

void TncxSchedulerEventEditor::InitializeControls() {
  if (PegarProduto() == kProdutoImobiliario) {
    TcxEventLabels& labels = EventLabels();
    if (labels.IndexOfColor(kCorVisitaImovel) < 0) labels.Add(kCorVisitaImovel, "Visita Imóvel");
    if (labels.IndexOfColor(kCorVencimentos) < 0) labels.Add(kCorVencimentos, "Vencimentos");
  }
  TcxSchedulerEventEditor::InitializeControls();
  AddControl(Linha(ncx::kConcluida, "Co&ncluir", TnParamKind::YesNo));
}

void TncxSchedulerEventEditor::FormShow() {
  TcxSchedulerEventEditor::FormShow();
  FAlturaPainel = kAlturaPainelInicial;
  FrmMenuKorvan().nTimer().SetEnabled(false);
  LoadControl(ncx::kConcluida,
              Event().GetCustomFieldValueByName("CONCLUIDA").AsString() == "1" ? "1" : "0");
  FQtdeLinhas = kLinhasIniciais;
  CriarLinhas();
  CarregarValores();
  FAlturaPainel = FQtdeLinhas * kAlturaLinha + kMargemPainel;
}

void TncxSchedulerEventEditor::CriarLinhas() {
  using K = TnParamKind;
  TnFraControle* destino =
      AddControl(Linha(ncx::kUsuarioDest, "Usuário(s)", K::Text,
                       "select CODIGOUSUARIO, NOMEUSUARIO from USUARIO order by CODIGOUSUARIO"),
                 [this] { UsuarioDestChange(); });
  FDestinoObrigatorio = destino->Required();
  destino->SetRequired(true);
  destino->SetEnabled(PegarDireito(kDireitoAgendar, kValorDireito));
  AddControl(Linha(ncx::kContato, "Contato", K::Integer,
                   "select CODIGOPESSOACONTATO, VALOR from PESSOACONTATO"));
  if (Storage() == nullptr || Storage()->HasCustomField(ncx::kGrupoPessoa)) {
    AddControl(
        Linha(ncx::kGrupoPessoa, "Tipo Pessoa: ", K::Choice, {}, GetNomesValoresTipoPessoa()));
  }
  auto* pessoa = static_cast<TnFraCtrlNDLinkEdit*>(AddControl(Linha(
      ncx::kPessoa, "Pessoa", K::Integer, "select CODIGOPESSOAFIN, NOME from PESSOAFINANCEIRO")));
  pessoa->SetSQLAdicional([this] { return FiltroPessoa(""); });
  AddControl(Linha(ncx::kEmpresa, "Empresa", K::Integer,
                   "select e.CODIGOESCRIT, p.NOME from ESCRITORIO e join PESSOAFINANCEIRO p on "
                   "p.CODIGOPESSOAFIN = e.CODIGOESCRIT"));
  AddControl(Linha(ncx::kImovel, "Imóvel", K::Integer,
                   "select distinct CODIGOIMOVEL, CODIGOIMOVEL from INTERESSADO where "
                   "CODIGOIMOVEL is not null"),
             [this] { ImovelChange(); });
  ImovelChange();
  for (const char* linha : {ncx::kUsuarioDest, ncx::kContato, ncx::kGrupoPessoa, ncx::kPessoa,
                            ncx::kEmpresa, ncx::kImovel}) {
    if (FindControl(linha) != nullptr) ++FQtdeLinhas;
  }
}

void TncxSchedulerEventEditor::CarregarValores() {
  const TcxSchedulerEvent& e = Event();
  const Variant destino = e.GetCustomFieldValueByName(ncx::kUsuarioDest);
  const Variant externo = ExternalVar(kVarCodigoUsuarioDest);
  std::string texto;
  if (!destino.IsNull()) {
    texto = destino.AsString();
  } else if (!externo.IsNull() && !Trim(externo.AsString()).empty()) {
    texto = Trim(externo.AsString());
  } else {
    texto = std::to_string(nDMConexao().CodigoUsuario());
  }
  LoadControl(ncx::kUsuarioDest, texto);
  UsuarioDestChange();
  for (const char* linha :
       {ncx::kContato, ncx::kGrupoPessoa, ncx::kPessoa, ncx::kEmpresa, ncx::kImovel}) {
    const Variant valor = e.GetCustomFieldValueByName(linha);
    if (FindControl(linha) != nullptr && !valor.IsNull()) LoadControl(linha, valor.AsString());
  }
}

void TncxSchedulerEventEditor::UsuarioDestChange() {
  FindControl(cxc::kRecurso)->SetEnabled(DestinoUnico(ControlText(ncx::kUsuarioDest)));
}

void TncxSchedulerEventEditor::ImovelChange() {
  LoadControl(ncx::kEmpresa, std::to_string(EmpresaAtual()));
}

std::string TncxSchedulerEventEditor::FiltroPessoa(const std::string& filtro) const {
  return FiltroPessoaGrupo(filtro, ControlText(ncx::kGrupoPessoa), PegarTipoCon());
}

std::string TncxSchedulerEventEditor::Description(const std::string& name) const {
  const std::string texto = Trim(ControlText(name));
  if (SameText(name, ncx::kUsuarioDest)) {
    if (!DestinoUnico(texto)) return "";
    const std::string nome = DescricaoDe(
        "select CODIGOUSUARIO, NOMEUSUARIO from USUARIO where CODIGOUSUARIO = ?", texto);
    return nome == kValorNaoCadastrado && texto == std::to_string(kCodigoAdministrador)
               ? kTextoAdministrador
               : nome;
  }
  if (SameText(name, ncx::kContato)) {
    return DescricaoDe(
        "select CODIGOPESSOACONTATO, VALOR from PESSOACONTATO where CODIGOPESSOACONTATO = ?",
        texto);
  }
  if (SameText(name, ncx::kPessoa) || SameText(name, ncx::kEmpresa)) {
    return DescricaoDe(
        "select CODIGOPESSOAFIN, NOME from PESSOAFINANCEIRO where CODIGOPESSOAFIN = ?", texto);
  }
  return TcxSchedulerEventEditor::Description(name);
}

std::vector<TnParamChoice> TncxSchedulerEventEditor::Consulta(const std::string& sql) const {
  TnClientDataSet* linhas = ExecutarSQL(sql);
  TnSQLGuard guarda(linhas);
  std::vector<TnParamChoice> opcoes;
  for (linhas->First(); !linhas->Eof(); linhas->Next()) {
    opcoes.push_back({linhas->Fields(0)->AsString(), linhas->Fields(1)->AsString()});
  }
  return opcoes;
}

std::vector<TnParamChoice> TncxSchedulerEventEditor::Choices(const std::string& name) const {
  if (SameText(name, ncx::kUsuarioDest)) {
    std::vector<TnParamChoice> opcoes =
        Consulta("select CODIGOUSUARIO, NOMEUSUARIO from USUARIO order by CODIGOUSUARIO");
    if (opcoes.empty() || opcoes.front().value != "0") {
      opcoes.insert(opcoes.begin(), {"0", kTextoAdministrador});
    }
    return opcoes;
  }
  if (SameText(name, ncx::kContato)) {
    const std::string pessoa = Trim(ControlText(ncx::kPessoa));
    if (pessoa.empty()) return {};
    return Consulta(
        "select CODIGOPESSOACONTATO, VALOR from PESSOACONTATO where CODIGOPESSOAFIN = " +
        ValorParaSQL(StrToInt64(pessoa)) + " order by CODIGOPESSOACONTATO");
  }
  if (SameText(name, ncx::kPessoa)) {
    const std::string filtro = FiltroPessoa("");
    return Consulta("select CODIGOPESSOAFIN, NOME from PESSOAFINANCEIRO" +
                    (filtro.empty() ? std::string() : " where " + filtro) +
                    " order by CODIGOPESSOAFIN");
  }
  if (SameText(name, ncx::kEmpresa)) {
    return Consulta(
        "select e.CODIGOESCRIT, p.NOME from ESCRITORIO e join PESSOAFINANCEIRO p on "
        "p.CODIGOPESSOAFIN = e.CODIGOESCRIT order by e.CODIGOESCRIT");
  }
  if (SameText(name, ncx::kImovel)) {
    return Consulta(
        "select distinct CODIGOIMOVEL, CODIGOIMOVEL from INTERESSADO where CODIGOIMOVEL is not "
        "null order by 1");
  }
  return TcxSchedulerEventEditor::Choices(name);
}

void TncxSchedulerEventEditor::ValidarDestino() {
  const std::string texto = Trim(ControlText(ncx::kUsuarioDest));
  auto recusar = [this] {
    if (CanFocus(ncx::kUsuarioDest)) FocusControl(ncx::kUsuarioDest);
    throw Exception(nOrgSUsuarioInvalido);
  };
  if (texto.empty()) recusar();
  // Each item names someone: "3;;8" leaves a user empty.
  for (const std::string& item : StrToStrArray(texto, ";")) {
    if (Trim(item).empty()) recusar();
  }
  std::vector<TnSelectionItem> itens;
  try {
    itens = ParseSelection(texto, ncx::kUsuarioDest);
  } catch (const Exception&) {
    recusar();
  }
  // Every code named, ranges included, is a user or the administrator (0).
  for (const TnSelectionItem& item : itens) {
    if (item.low < 0) recusar();
    const int64_t esperados = item.high - item.low + 1;
    TnClientDataSet* contagem = ExecutarSQL(
        "select count(*) from USUARIO where CODIGOUSUARIO between ? and ? and CODIGOUSUARIO <> 0",
        {Variant(item.low), Variant(item.high)});
    TnSQLGuard guarda(contagem);
    const int64_t achados = contagem->Fields(0)->AsInteger() + (item.low == 0 ? 1 : 0);
    if (achados != esperados) recusar();
  }
}

void TncxSchedulerEventEditor::ValidarContato() {
  const std::string contato = Trim(ControlText(ncx::kContato));
  if (contato.empty()) return;
  const std::string pessoa = Trim(ControlText(ncx::kPessoa));
  int64_t c = 0, p = 0;
  if (!TryStrToInt64(contato, c) || !TryStrToInt64(pessoa, p) ||
      !Existe("select count(*) from PESSOACONTATO where CODIGOPESSOACONTATO = ? and "
              "CODIGOPESSOAFIN = ?",
              {Variant(c), Variant(p)})) {
    if (CanFocus(ncx::kContato)) FocusControl(ncx::kContato);
    throw Exception(nOrgSContatoInvalido);
  }
}

void TncxSchedulerEventEditor::ValidarImovel() {
  const std::string imovel = Trim(ControlText(ncx::kImovel));
  if (imovel.empty()) return;
  int64_t i = 0;
  if (!TryStrToInt64(imovel, i) ||
      !Existe("select count(*) from INTERESSADO where CODIGOIMOVEL = ?", {Variant(i)})) {
    if (CanFocus(ncx::kImovel)) FocusControl(ncx::kImovel);
    throw Exception("Imóvel não cadastrado: " + imovel);
  }
}

void TncxSchedulerEventEditor::IsValid() {
  ValidarDestino();
  ValidarContato();
  ValidarImovel();
  TcxSchedulerEventEditor::IsValid();
}

void TncxSchedulerEventEditor::UpdateEventValuesFromControls() {
  TcxSchedulerEventEditor::UpdateEventValuesFromControls();
  TcxSchedulerEvent& e = Event();
  for (const char* linha :
       {ncx::kContato, ncx::kGrupoPessoa, ncx::kPessoa, ncx::kEmpresa, ncx::kImovel}) {
    if (FindControl(linha) != nullptr) {
      e.SetCustomFieldValueByName(linha, TextoOuNulo(ControlText(linha)));
    }
  }
  const TnDivisaoDestino destino = DividirDestino(ControlText(ncx::kUsuarioDest));
  LoadControl(ncx::kUsuarioDest, destino.Restante);
  if (destino.Multipla) {
    VariaveisModelo().Definir(kVarInclusionCodigoUsuarioDest, destino.Restante);
  } else {
    VariaveisModelo().Limpar(kVarInclusionCodigoUsuarioDest);
  }
  e.SetCustomFieldValueByName(ncx::kUsuarioDest, Variant(StrToInt64(destino.Primeiro)));
  if (e.ID == 0 && e.GetCustomFieldValueByName("CODIGOUSUARIOORIG").IsNull()) {
    e.SetCustomFieldValueByName("CODIGOUSUARIOORIG", Variant(nDMConexao().CodigoUsuario()));
  }
  if (ControlText(ncx::kConcluida) == "1") {
    e.SetCustomFieldValueByName("CONCLUIDA", Variant(1));
    e.LabelColor = kCorConcluida;
  } else {
    e.SetCustomFieldValueByName("CONCLUIDA", Variant(0));
    if (!e.HasLabel()) e.LabelColor = kSemLabel;
  }
}

TcxKeyAction TncxSchedulerEventEditor::FormKeyDown(TcxKey key, bool shift, bool ctrl) {
  if (key == TcxKey::Enter) {
    if (ctrl) return TcxKeyAction::Confirm;
    const int n = ControlCount();
    for (int step = 1; step <= n; ++step) {
      const int i = ((Focus() + (shift ? -step : step)) % n + n) % n;
      if (CanFocus(Controls(i)->FieldName())) {
        SetFocus(i);
        break;
      }
    }
    return shift ? TcxKeyAction::FocusPrior : TcxKeyAction::FocusNext;
  }
  return TcxSchedulerEventEditor::FormKeyDown(key, shift, ctrl);
}

void TncxSchedulerEventEditor::FormDeactivate() {
  if (TnFraControle* destino = FindControl(ncx::kUsuarioDest)) {
    destino->SetRequired(FDestinoObrigatorio);
  }
  TcxSchedulerEventEditor::FormDeactivate();
}

void TncxSchedulerEventEditor::FormDestroy() {
  FrmMenuKorvan().nTimer().SetEnabled(true);
  if (Tag() == 1) {
    SetTag(0);
    FrmMenuKorvan().nTimerTimer(this);
  }
  TcxSchedulerEventEditor::FormDestroy();
}

}  // namespace vireo
