// `vireo agenda edit`: the appointment editor as a line form on the
// terminal.  The agenda plug-in is loaded first, so its start-up installs
// its editor as the scheduler's; the form then lists the editor's fields
// with their captions and lookup descriptions and takes commands, typed or
// piped:
//
//   NOME=VALOR    sets a field        ? [NOME]   lists a field's choices
//   ok            validates and saves cancelar   leaves without saving
//
// Exit 0 saved or cancelled, 3 refused (with its message), 4 database
// error.  At a terminal a refused value or save leaves the form open, as a
// dialog does; piped input ends at the first refusal.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "host/core/display_width.h"
#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/connection.h"
#include "host/data/host_session.h"
#include "host/data/host_variables.h"
#include "host/report/plugin_host.h"
#include "host/scheduler/agenda_edicao.h"

namespace vireo::app {
namespace {

constexpr const char* kPluginAgenda = "rptUserAgenda";

struct AgendaOptions {
  std::string db;
  std::optional<int> seq;
  std::optional<int> occurrence;
  std::optional<std::string> dest;
  std::optional<int> user;
  std::optional<int> company;
  std::vector<std::string> denied;
};

void Mostrar(const TcxSchedulerEventEditor& editor) {
  for (int i = 0; i < editor.ControlCount(); ++i) {
    const TnFraControle* c = editor.Controls(i);
    if (c->Param()->Hidden()) continue;
    const std::string descricao = editor.Description(c->FieldName());
    std::printf("  %s %s = %s%s%s\n", PadToWidth(c->FieldName(), 22).c_str(),
                PadToWidth(c->Param()->Caption(), 26).c_str(), c->Param()->DisplayText().c_str(),
                descricao.empty() ? "" : ("  [" + descricao + "]").c_str(),
                c->Enabled() ? "" : "  (desabilitado)");
  }
  std::printf("Comandos: NOME=VALOR, ? NOME (opções), ok (salvar), cancelar\n");
}

void Opcoes(const TcxSchedulerEventEditor& editor, const std::string& nome) {
  const std::vector<TnParamChoice> opcoes = editor.Choices(nome);
  if (opcoes.empty()) std::printf("  (sem opções)\n");
  for (const TnParamChoice& o : opcoes) std::printf("  %s = %s\n", o.value.c_str(), o.text.c_str());
}

// One command of the form; false when the form is done.
bool Comando(TnEdicaoAgenda& edicao, const std::string& linha) {
  TcxSchedulerEventEditor& editor = edicao.Editor();
  const std::string t = Trim(linha);
  if (t.empty()) {
    Mostrar(editor);
  } else if (SameText(t, "cancelar")) {
    edicao.Cancelar();
    std::printf("Edição cancelada; nada foi gravado.\n");
    return false;
  } else if (SameText(t, "ok")) {
    const std::vector<int> usuarios = edicao.Salvar();
    std::string lista;
    for (int u : usuarios) lista += (lista.empty() ? "" : ", ") + std::to_string(u);
    std::printf("Agendamento gravado para o(s) usuário(s) %s.\n", lista.c_str());
    return false;
  } else if (t.front() == '?') {
    std::string nome = Trim(t.substr(1));
    if (nome.empty() && editor.ControlCount() > 0)
      nome = editor.Controls(editor.Focus())->FieldName();
    Opcoes(editor, nome);
  } else if (const size_t igual = t.find('='); igual != std::string::npos) {
    const std::string nome = Trim(t.substr(0, igual));
    editor.SetControlText(nome, Trim(t.substr(igual + 1)));
    editor.FocusControl(nome);
    const std::string descricao = editor.Description(nome);
    if (!descricao.empty()) std::printf("  %s\n", descricao.c_str());
  } else {
    throw EUsage("Comando desconhecido: " + t);
  }
  return true;
}

void Editar(const AgendaOptions& o) {
  if (o.user) DefinirUsuario(*o.user);
  if (o.company) DefinirEmpresaAtual(*o.company);
  for (const std::string& right : o.denied) NegarDireito(right);
  if (o.occurrence && !o.seq) throw EUsage("--occurrence pede o SEQAGENDA da série");
  if (o.dest) DefinirExternalVar("gCodigoUsuarioDest", *o.dest);

  // Its start-up makes its editor the scheduler's.
  std::shared_ptr<const TnLoadedPlugin> plugin =
      TnLoadedPlugin::Open(TnPluginCatalog().Resolve(kPluginAgenda).path);
  auto con = TnConnection::Open({o.db});
  SetCurrentConnection(con.get());
  struct Detach {
    ~Detach() { SetCurrentConnection(nullptr); }
  } detach;

  const bool terminal = isatty(STDIN_FILENO) != 0;
  std::unique_ptr<TnEdicaoAgenda> edicao;
  try {
    edicao = std::make_unique<TnEdicaoAgenda>(*con, TnAberturaAgenda{o.seq, o.occurrence});
  } catch (const EDatabaseError&) {
    throw;
  } catch (const Exception& e) {
    throw EnParam("SEQAGENDA", e.Message());
  }
  const TcxSchedulerEvent& evento = edicao->Evento();
  std::string titulo =
      evento.ID != 0 ? "Agendamento " + std::to_string(evento.ID) : "Novo agendamento";
  if (evento.EventType == etCustom && evento.ParentID && evento.RecurrenceIndex) {
    titulo = "Ocorrência " + std::to_string(*evento.RecurrenceIndex) + " da série " +
             std::to_string(*evento.ParentID) +
             (evento.ID != 0 ? " (agendamento " + std::to_string(evento.ID) + ")" : "");
  }
  std::printf("%s  (%s)\n", titulo.c_str(), edicao->Editor().ClassName().c_str());
  Mostrar(edicao->Editor());
  std::string linha;
  while (true) {
    if (terminal) std::printf("> "), std::fflush(stdout);
    if (!std::getline(std::cin, linha)) {
      edicao->Cancelar();
      std::printf("Fim da entrada: edição cancelada; nada foi gravado.\n");
      return;
    }
    try {
      if (!Comando(*edicao, linha)) return;
    } catch (const EDatabaseError&) {
      throw;
    } catch (const Exception& e) {
      if (!terminal) throw EnParam("agenda", e.Message());
      std::printf("Recusado: %s\n", e.Message().c_str());
    }
  }
}

}  // namespace

void RegisterAgendaCommands(CLI::App& app) {
  auto o = std::make_shared<AgendaOptions>();
  CLI::App* agenda = app.add_subcommand("agenda", "Agenda dos usuários");
  agenda->require_subcommand(1);
  CLI::App* edit = agenda->add_subcommand("edit", "Edita um agendamento (formulário de linhas)");
  edit->add_option("--db", o->db, "Banco de dados")->required();
  edit->add_option("seq", o->seq, "SEQAGENDA do agendamento (nenhum: um novo)");
  edit->add_option("--occurrence", o->occurrence, "Índice da ocorrência da série (0 = o início)");
  edit->add_option("--dest", o->dest, "Usuário(s) de destino (gCodigoUsuarioDest)");
  edit->add_option("--user", o->user, "Usuário logado (padrão: VIREO_USUARIO ou 0)");
  edit->add_option("--company", o->company, "Empresa atual (padrão: VIREO_EMPRESA)");
  edit->add_option("--deny", o->denied, "Direito negado ao usuário (repetível)");
  edit->callback([o] { Editar(*o); });
}

}  // namespace vireo::app
