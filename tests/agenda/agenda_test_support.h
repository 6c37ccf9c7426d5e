// Helpers of the agenda tests: a database of their own per test with users,
// persons and appointments written by hand, and prints of rptUserAgenda read
// back from the trace.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/core/convert.h"
#include "host/data/dataset.h"
#include "host/data/host_session.h"
#include "host/data/host_variables.h"
#include "tests/support/report_harness.h"

namespace vireo::test {

inline std::string AgendaPluginDir() { return PluginDirFrom("VIREO_AGENDA_PLUGIN_DIR"); }

// A row of AGENDAUSUARIO; times as "dd/mm/yyyy hh:nn".
struct Compromisso {
  int seq = 0;
  int usuario = 1;
  std::string inicio;
  std::string fim;
  std::string titulo = "Compromisso";
  int tipo = 0;
  std::string regra;
  std::optional<int> pai;
  std::optional<int> indice;
  Variant concluida = 0;
  int opcoes = 0;
};

// One printed line: R1 R2 R5 R4 R3.
inline std::string LinhaDe(const json& secao) {
  return Var(secao, "R1") + " " + Var(secao, "R2") + " " + Var(secao, "R5") + " " +
         Var(secao, "R4") + " " + Var(secao, "R3");
}

class AgendaDbTest : public ReportDbTest {
 protected:
  void SetUp() override {
    OpenDatabase("agenda", "agenda.fdb");
    RedefinirSessao();
    RedefinirVariaveis();
  }
  void TearDown() override {
    CloseDatabase();
    RedefinirSessao();
    RedefinirVariaveis();
  }

  void Usuario(int codigo, const std::string& nome) {
    Exec("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (?, ?, ?)",
         {codigo, nome, nome + " Completo"});
  }
  void Pessoa(int codigo, const std::string& nome, std::optional<int> grupo = std::nullopt) {
    Exec("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (?, ?)", {codigo, nome});
    if (grupo) {
      Exec("insert into PESSOAGRUPO (CODIGOPESSOAFIN, TIPOGRUPOPESSOA) values (?, ?)",
           {codigo, *grupo});
    }
  }
  void Contato(int codigo, int pessoa, const std::string& valor) {
    Exec(
        "insert into PESSOACONTATO (CODIGOPESSOACONTATO, CODIGOPESSOAFIN, TIPOCONTATO, VALOR) "
        "values (?, ?, 0, ?)",
        {codigo, pessoa, valor});
  }
  void Compromissar(const Compromisso& c) {
    Exec(
        "insert into AGENDAUSUARIO (SEQAGENDA, CODIGOUSUARIODEST, DATAHORAINICIO, DATAHORAFIM, "
        "TITULOTAREFA, TIPOTAREFA, INFORECORRENCIATAREFA, SEQAGENDAPAI, "
        "INDICERECORRENCIATAREFA, CONCLUIDA, OPCAOTAREFA) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {c.seq, c.usuario, Variant::FromDateTime(StrToDateTime(c.inicio)),
         Variant::FromDateTime(StrToDateTime(c.fim)), c.titulo, c.tipo,
         c.regra.empty() ? Variant() : Variant(c.regra), c.pai ? Variant(*c.pai) : Variant(),
         c.indice ? Variant(*c.indice) : Variant(), c.concluida, c.opcoes});
  }

  TracePrint Agenda(const std::string& de, const std::string& ate,
                    const std::map<std::string, std::string>& params = {}) {
    Commit();
    TnPrintSession session(ReportPlugin::Get(AgendaPluginDir(), "rptUserAgenda"),
                           AgendaPluginDir() + "/rptUserAgenda.json");
    session.SetParameter("pDataInicial", de);
    session.SetParameter("pDataFinal", ate);
    for (const auto& [name, value] : params) session.SetParameter(name, value);
    return PrintAndRead(session, TracePath());
  }
  // Lines by page, "R1 R2 R5 R4 R3".
  static std::vector<std::string> Linhas(const TracePrint& p) {
    std::vector<std::string> out;
    for (const json& s : p.Of(8)) out.push_back(LinhaDe(s));
    return out;
  }
};

}  // namespace vireo::test
