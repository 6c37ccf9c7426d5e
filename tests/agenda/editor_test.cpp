// The agenda's appointment editor as a model: the values it opens with, the
// destination rules, the rows it saves, the checks that refuse a save, the
// person filter and the keys.
#include <gtest/gtest.h>

#include <memory>

#include "agenda/FiltroPessoaAgenda.h"
#include "agenda/ncxSchedulerEventEditor.h"
#include "host/biz/produto.h"
#include "host/core/exception.h"
#include "host/core/messages.h"
#include "host/report/main_form.h"
#include "host/scheduler/agenda_module.h"
#include "host/scheduler/event_labels.h"
#include "host/scheduler/event_storage.h"
#include "tests/agenda/agenda_test_support.h"

namespace vireo::test {
namespace {

class EditorTest : public AgendaDbTest {
 protected:
  void SetUp() override {
    AgendaDbTest::SetUp();
    TnOrgDMAgendaUsuario modulo;
    storage_.Assign(*modulo.Storage());
    storage_.SetEvents({});
    Usuario(3, "ana");
    Usuario(8, "bia");
    Usuario(10, "caio");
    for (int u = 5; u <= 9; ++u) {
      if (u != 8) Usuario(u, "u" + std::to_string(u));
    }
    Pessoa(100, "Cliente Um", 1);
    Pessoa(200, "Fornecedor Dois", 2);
    Contato(1, 100, "(11) 5555-0001");
    Contato(2, 200, "(11) 5555-0002");
    Commit();
  }
  void TearDown() override {
    if (editor_) editor_->FormDestroy();
    editor_.reset();
    EventLabels().Reset();
    RedefinirProduto();
    AgendaDbTest::TearDown();
  }
  TncxSchedulerEventEditor& Abrir() {
    evento_.Start = EncodeDate(2025, 3, 5) + EncodeTime(9, 0, 0);
    evento_.Finish = evento_.Start + EncodeTime(1, 0, 0);
    editor_ = std::make_unique<TncxSchedulerEventEditor>(evento_, &storage_);
    editor_->InitializeControls();
    editor_->FormShow();
    return *editor_;
  }
  std::string Salvar() {
    try {
      editor_->Confirm();
      return "";
    } catch (const Exception& e) {
      return e.Message();
    }
  }
  Variant Campo(const char* nome) const { return evento_.GetCustomFieldValueByName(nome); }

  TcxSchedulerDBStorage storage_;
  TcxSchedulerEvent evento_;
  std::unique_ptr<TncxSchedulerEventEditor> editor_;
};

TEST_F(EditorTest, DestinationOpensWithTheAppointmentsThenTheHostVariableThenTheUser) {
  DefinirUsuario(8);
  EXPECT_EQ(Abrir().ControlText(ncx::kUsuarioDest), "8");
  editor_.reset();
  DefinirExternalVar(kVarCodigoUsuarioDest, "3;10");
  EXPECT_EQ(Abrir().ControlText(ncx::kUsuarioDest), "3;10");
  EXPECT_FALSE(editor_->FindControl(cxc::kRecurso)->Enabled());  // several users
  editor_.reset();
  evento_.SetCustomFieldValueByName("CODIGOUSUARIODEST", 10);
  EXPECT_EQ(Abrir().ControlText(ncx::kUsuarioDest), "10");
  EXPECT_TRUE(editor_->FindControl(cxc::kRecurso)->Enabled());
  EXPECT_EQ(editor_->Description(ncx::kUsuarioDest), "caio");
  editor_->SetControlText(ncx::kUsuarioDest, "0");
  EXPECT_EQ(editor_->Description(ncx::kUsuarioDest), "ADMINISTRADOR");
  // Rows: destination, contact, group, person, company, property.
  EXPECT_EQ(editor_->QtdeLinhas(), 9);
  EXPECT_EQ(editor_->AlturaPainel(), 9 * 25 + 4);
}

TEST_F(EditorTest, WithoutTheRightTheDestinationCannotBeChanged) {
  NegarDireito("DireitoPodeAgendarCompromisso");
  DefinirUsuario(3);
  Abrir();
  EXPECT_THROW(editor_->SetControlText(ncx::kUsuarioDest, "8"), Exception);
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOUSUARIODEST").AsInteger(), 3);
}

TEST_F(EditorTest, SeveralUsersSaveTheFirstAndLeaveTheRest) {
  DefinirUsuario(5);
  Abrir().SetControlText(ncx::kUsuarioDest, "7");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOUSUARIODEST").AsInteger(), 7);
  EXPECT_EQ(Campo("CODIGOUSUARIOORIG").AsInteger(), 5);
  EXPECT_FALSE(VariaveisModelo().Existe(kVarInclusionCodigoUsuarioDest));

  editor_->SetControlText(ncx::kUsuarioDest, "3;8;10");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOUSUARIODEST").AsInteger(), 3);
  EXPECT_EQ(editor_->ControlText(ncx::kUsuarioDest), "8;10");
  EXPECT_EQ(VariaveisModelo().Valor(kVarInclusionCodigoUsuarioDest).AsString(), "8;10");

  editor_->SetControlText(ncx::kUsuarioDest, "5..9");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOUSUARIODEST").AsInteger(), 5);
  EXPECT_EQ(editor_->ControlText(ncx::kUsuarioDest), "6..9");
}

TEST_F(EditorTest, DestinationsThatAreNoUsersAreRefused) {
  Abrir();
  for (const char* destino : {"", "  ", "3;x", "3;;", "10..9", "4", "3..6", "3;99", "1) or (1=1"}) {
    editor_->SetControlText(ncx::kUsuarioDest, destino);
    EXPECT_EQ(Salvar(), nOrgSUsuarioInvalido) << destino;
  }
  for (const char* destino : {"0", "0;3", "5..10", "3;8;10"}) {
    editor_->SetControlText(ncx::kUsuarioDest, destino);
    EXPECT_EQ(Salvar(), "") << destino;
  }
}

TEST_F(EditorTest, ACompletedAppointmentIsYellowAndAnOpenOneKeepsItsLabel) {
  evento_.SetCustomFieldValueByName("CONCLUIDA", 1);
  EXPECT_EQ(Abrir().ControlText(ncx::kConcluida), "1");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CONCLUIDA").AsInteger(), 1);
  EXPECT_EQ(evento_.LabelColor.value_or(-1), 65535);
  // A save leaves in the destination only the users still to book.
  EXPECT_EQ(editor_->ControlText(ncx::kUsuarioDest), "");
  editor_->SetControlText(ncx::kUsuarioDest, "3");
  editor_->SetControlText(ncx::kConcluida, "0");
  editor_->SetControlText(cxc::kMarcador, std::to_string(EventLabels().Items(2).Color));
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CONCLUIDA").AsInteger(), 0);
  EXPECT_EQ(evento_.LabelColor.value_or(-1), EventLabels().Items(2).Color);
  editor_->SetControlText(cxc::kMarcador, std::to_string(kSemLabel));
  editor_->SetControlText(ncx::kUsuarioDest, "3");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(evento_.LabelColor.value_or(-1), kSemLabel);
}

TEST_F(EditorTest, AContactMustBeOneOfThePersonsAndAPropertyOneInterestedPartiesName) {
  Abrir();
  editor_->SetControlText(ncx::kPessoa, "100");
  editor_->SetControlText(ncx::kContato, "2");
  EXPECT_EQ(Salvar(), nOrgSContatoInvalido);
  editor_->SetControlText(ncx::kContato, "1");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOCONTATO").AsString(), "1");
  EXPECT_EQ(Campo("CODIGOPESSOAFIN").AsString(), "100");
  EXPECT_TRUE(Campo("CODIGOIMOVEL").IsNull());
  editor_->SetControlText(ncx::kImovel, "77");
  EXPECT_NE(Salvar(), "");
}

TEST_F(EditorTest, ChoosingAPropertySetsTheCurrentCompany) {
  DefinirEmpresaAtual(4);
  Abrir();
  EXPECT_EQ(editor_->ControlText(ncx::kEmpresa), "4");
  editor_->SetControlText(ncx::kEmpresa, "9");
  Exec("insert into INTERESSADO (CODIGOPESSOAFIN, CODIGOIMOVEL) values (100, 12)");
  Commit();
  editor_->SetControlText(ncx::kImovel, "12");
  EXPECT_EQ(editor_->ControlText(ncx::kEmpresa), "4");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(Campo("CODIGOESCRIT").AsString(), "4");
}

TEST_F(EditorTest, AnEndBeforeTheStartIsRefused) {
  Abrir().SetControlText(cxc::kFim, "05/03/2025 08:00");
  EXPECT_EQ(Salvar(), "O término não pode ser anterior ao início.");
}

TEST_F(EditorTest, PersonFilterByGroupForBothConnectionKinds) {
  Abrir();
  EXPECT_EQ(FiltroPessoaGrupo("ATIVO = 1", "99", 0), "ATIVO = 1");
  EXPECT_EQ(FiltroPessoaGrupo("", "x", 0), "");
  EXPECT_EQ(FiltroPessoaGrupo("ATIVO = 1", "1", 0), "ATIVO = 1 AND ((CODIGOPESSOAFIN = 100))");
  EXPECT_EQ(FiltroPessoaGrupo("", "2", 2),
            "(CODIGOPESSOAFIN IN (SELECT CODIGOPESSOAFIN FROM PESSOAGRUPO WHERE TIPOGRUPOPESSOA = "
            "2))");
  // A group without persons offers nobody.
  EXPECT_EQ(FiltroPessoaGrupo("", "4", 0), "(1 = 0)");
  editor_->SetControlText(ncx::kGrupoPessoa, "2");
  const auto pessoas = editor_->Choices(ncx::kPessoa);
  ASSERT_EQ(pessoas.size(), 1u);
  EXPECT_EQ(pessoas[0].value, "200");
  editor_->SetControlText(ncx::kGrupoPessoa, "4");
  EXPECT_TRUE(editor_->Choices(ncx::kPessoa).empty());
}

TEST_F(EditorTest, ProductTwoAddsItsLabelsOnce) {
  const int base = EventLabels().Count();
  Abrir();
  EXPECT_EQ(EventLabels().Count(), base);
  editor_->FormDestroy();
  editor_.reset();
  DefinirProduto(2);
  Abrir();
  editor_->FormDestroy();
  editor_.reset();
  Abrir();
  EXPECT_EQ(EventLabels().Count(), base + 2);
  EXPECT_GE(EventLabels().IndexOfColor(12250516), 0);
  EXPECT_GE(EventLabels().IndexOfColor(255), 0);
}

TEST_F(EditorTest, KeysAndTheMainFormTimer) {
  int polls = 0;
  FrmMenuKorvan().SetTimerHook([&](TObject*) { ++polls; });
  Abrir();
  EXPECT_FALSE(FrmMenuKorvan().nTimer().Enabled());
  editor_->SetFocus(0);
  EXPECT_EQ(editor_->FormKeyDown(TcxKey::Enter, false, false), TcxKeyAction::FocusNext);
  EXPECT_EQ(editor_->Focus(), 1);
  editor_->FormKeyDown(TcxKey::Enter, true, false);
  EXPECT_EQ(editor_->Focus(), 0);
  EXPECT_EQ(editor_->FormKeyDown(TcxKey::Enter, false, true), TcxKeyAction::Confirm);
  EXPECT_EQ(editor_->FormKeyDown(TcxKey::Escape, false, false), TcxKeyAction::Cancel);
  editor_->SetTag(1);
  editor_->FormDestroy();
  EXPECT_TRUE(FrmMenuKorvan().nTimer().Enabled());
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(editor_->Tag(), 0);
  editor_.reset();
  FrmMenuKorvan().SetTimerHook({});
}

TEST_F(EditorTest, RecurrenceRoundTripsThroughTheControls) {
  evento_.EventType = etPattern;
  evento_.RecurrenceInfo = "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;UNTIL=20250515";
  Abrir();
  EXPECT_EQ(editor_->ControlText(cxc::kRecorrencia), "WEEKLY");
  EXPECT_EQ(editor_->ControlText(cxc::kAteData), "15/05/2025");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(evento_.RecurrenceInfo, "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;UNTIL=20250515");
  editor_->SetControlText(cxc::kRecorrencia, "");
  editor_->SetControlText(ncx::kUsuarioDest, "3");
  EXPECT_EQ(Salvar(), "");
  EXPECT_EQ(evento_.EventType, etNone);
  EXPECT_TRUE(evento_.RecurrenceInfo.empty());
  EXPECT_THROW(editor_->SetControlText(cxc::kDias, "MO"), Exception);  // disabled now
}

}  // namespace
}  // namespace vireo::test
