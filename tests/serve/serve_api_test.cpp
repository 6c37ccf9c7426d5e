// The API of `vireo serve` as the browser uses it: the token, the list, a
// panel with its rules, prints with progress, cancel, preview, downloads,
// prints side by side and a plug-in that crashes.
#include <sys/wait.h>

#include <cstdio>

#include "tests/serve/serve_test_support.h"

namespace vireo::serve_test {
namespace {

// What `vireo print` says of a value, for comparing with the panel.
std::string PrintMessage(const std::string& args) {
  std::string cmd = std::string(VIREO_BIN) + " print " + args + " 2>&1";
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

// Files left in the folder of one print, other than the worker's error log.
std::vector<std::string> LeftFiles(const std::string& root, const std::string& job) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().parent_path().filename() == job &&
        e.path().filename() != "erro.txt")
      out.push_back(e.path());
  return out;
}

TEST_F(ServeTest, EveryRequestNeedsTheToken) {
  auto none = Client(false).Get("/api/reports");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->status, 401);
  EXPECT_NE(none->body.find("token"), std::string::npos);

  httplib::Client wrong("127.0.0.1", port_);
  wrong.set_default_headers({{"X-Vireo-Token", std::string(server_->Token().size(), '0')}});
  EXPECT_EQ(wrong.Get("/api/reports")->status, 401);
  EXPECT_EQ(wrong.Get("/index.html")->status, 401);  // pages too

  // The address printed at start opens the session: a cookie, then the page.
  auto open = Client(false).Get(("/?token=" + server_->Token()).c_str());
  ASSERT_TRUE(open);
  EXPECT_EQ(open->status, 302);
  std::string cookie = open->get_header_value("Set-Cookie");
  EXPECT_NE(cookie.find("HttpOnly"), std::string::npos);
  httplib::Client browser("127.0.0.1", port_);
  browser.set_default_headers({{"Cookie", cookie.substr(0, cookie.find(';'))}});
  auto page = browser.Get("/index.html");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("Relatórios"), std::string::npos);
}

TEST_F(ServeTest, ListsTheReportsInTheirGroups) {
  json list = Get("/api/reports");
  json probe, ledger;
  std::string ledger_group;
  for (const json& g : list["groups"])
    for (const json& r : g["reports"]) {
      if (r["name"] == "rptServeProbe") probe = r;
      if (r["name"] == "rptLedger") ledger = r, ledger_group = g["group"];
    }
  EXPECT_EQ(probe["title"], "Prova do servidor");
  EXPECT_EQ(probe["versao"], "[versao: 1.0.0.7]");
  EXPECT_EQ(ledger_group, "Razões");
  ASSERT_EQ(ledger["layouts"].size(), 2u);
  EXPECT_EQ(ledger["layouts"][1]["variant"], "movcaixa");
}

TEST_F(ServeTest, PanelRunsTheReportsRulesLookupsAndRefusals) {
  json panel = Post("/api/panels", {{"report", "rptServeProbe"}}, 201);
  std::string id = panel["id"];
  EXPECT_FALSE(Param(panel, "pNivel")["enabled"]);  // AntesConfigurar ran once
  EXPECT_TRUE(Param(panel, "pInterno")["hidden"]);

  // The rule: Detalhar enables Nível, requires it and fills it.
  json r = Post("/api/panels/" + id + "/change", {{"name", "pDetalhar"}, {"value", "1"}});
  EXPECT_TRUE(r["error"].is_null());
  json nivel = Param(r["panel"], "pNivel");
  EXPECT_TRUE(nivel["enabled"]);
  EXPECT_TRUE(nivel["required"]);
  EXPECT_EQ(nivel["value"], "3");

  // The lookup: the layout's query with the report's added condition.
  json items = Get("/api/panels/" + id + "/lookup/pTabela")["items"];
  ASSERT_FALSE(items.empty());
  for (const json& i : items) EXPECT_LT(std::stoi(i["value"].get<std::string>()), 5) << i;
  EXPECT_EQ(Get("/api/panels/" + id + "/lookup/pLinhas", 400)["error"],
            "O campo pLinhas não tem lista");

  // A refused selection: the message `vireo print` gives, the value kept.
  r = Post("/api/panels/" + id + "/change", {{"name", "pCodigoEscrit"}, {"value", "1;x"}});
  ASSERT_TRUE(r["error"].is_string());
  std::string said =
      PrintMessage(std::string(VIREO_TEST_PLUGIN_DIR) + "/librptServeProbe.so --db " + *dir_ +
                   "/t.fdb -p 'pCodigoEscrit=1;x'");
  EXPECT_NE(said.find(r["error"].get<std::string>()), std::string::npos)
      << said << " / " << r["error"];
  EXPECT_EQ(Param(r["panel"], "pCodigoEscrit")["value"], "1");
  // The report's own refusal in DoParamChange.
  r = Post("/api/panels/" + id + "/change", {{"name", "pLinhas"}, {"value", "200000"}});
  EXPECT_EQ(r["error"], "No máximo 100000 linhas.");

  // Names of nothing and texts too long are refused before the report.
  Post("/api/panels/" + id + "/change", {{"name", "pNada"}, {"value", "1"}}, 400);
  r = Post("/api/panels/" + id + "/change",
           {{"name", "pInterno"}, {"value", std::string(5000, 'a')}});
  EXPECT_TRUE(r["error"].is_string());
  Post("/api/panels", {{"report", "../../etc/passwd"}}, 400);
  Post("/api/panels", {{"report", "rptServeProbe"}, {"layout", "/etc/x.json"}}, 400);
}

TEST_F(ServeTest, PrintsWithProgressThenPreviewsAndDownloads) {
  std::string panel = Panel("rptServeProbe", {{"pModo", "1"}, {"pLinhas", "150"}});
  json job = Post("/api/panels/" + panel + "/print", json::object(), 202);
  std::string id = job["id"];
  json moving = WaitFor(id, [](const json& s) {
    return Ended(s) || s["progress"]
                               .value("frame", json::object())
                               .value("partial", json::object())
                               .value("position", 0) > 0;
  });
  EXPECT_EQ(moving["state"], "running") << moving;
  EXPECT_EQ(moving["progress"]["frame"]["partial"]["text"], "Linhas");
  json done = WaitFor(id, Ended);
  ASSERT_EQ(done["state"], "done") << done;
  EXPECT_GE(done["pages"].get<int>(), 3);
  ASSERT_EQ(done["messages"].size(), 1u);
  EXPECT_EQ(done["messages"][0]["text"], "Aviso da prova");

  auto pdf = Client().Get(("/api/jobs/" + id + "/download/pdf").c_str());
  ASSERT_TRUE(pdf);
  EXPECT_EQ(pdf->body.substr(0, 5), "%PDF-");
  EXPECT_EQ(pdf->get_header_value("Content-Disposition"),
            "attachment; filename=\"ServeProbe_empresa-1_01-01-2025_a_31-01-2025.pdf\"");
  auto txt = Client().Get(("/api/jobs/" + id + "/download/txt").c_str());
  EXPECT_NE(txt->body.find("Linha 150"), std::string::npos);

  auto page = Client().Get(("/api/jobs/" + id + "/pages/2?dpi=50").c_str());
  ASSERT_TRUE(page);
  EXPECT_EQ(page->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(page->body.substr(1, 3), "PNG");
  Get("/api/jobs/" + id + "/pages/999", 400);
  Get("/api/jobs/" + id + "/pages/1?dpi=5000", 400);
  EXPECT_EQ(Client().Get(("/api/jobs/" + id + "/download/..%2f..%2fetc").c_str())->status, 404);
}

TEST_F(ServeTest, CancelStopsThePrintAndLeavesNothing) {
  std::string panel = Panel("rptServeProbe", {{"pModo", "1"}, {"pLinhas", "5000"}});
  std::string id = Post("/api/panels/" + panel + "/print", json::object(), 202)["id"];
  WaitFor(id, [](const json& s) {
    return Ended(s) || s["progress"].value("page", 0) >= 1 || !s["progress"].empty();
  });
  json s = Post("/api/jobs/" + id + "/cancel", json::object());
  s = WaitFor(id, Ended);
  EXPECT_EQ(s["state"], "cancelled");
  EXPECT_TRUE(s["outputs"].empty());
  Get("/api/jobs/" + id + "/download/pdf", 400);
  EXPECT_EQ(LeftFiles(*dir_ + "/tmp", id), std::vector<std::string>{});
}

TEST_F(ServeTest, TwoPrintsOfDifferentReportsRunSideBySide) {
  std::string a = Panel("rptServeProbe", {{"pModo", "1"}, {"pLinhas", "200"}});
  std::string b = Panel("rptFrameProbe", {{"pLinhas", "3000"}});
  std::string ja = Post("/api/panels/" + a + "/print", json::object(), 202)["id"];
  std::string jb = Post("/api/panels/" + b + "/print", json::object(), 202)["id"];
  bool together = false;
  for (int i = 0; i < 2000 && !together; ++i) {
    json sa = Get("/api/jobs/" + ja), sb = Get("/api/jobs/" + jb);
    together = sa["state"] == "running" && sb["state"] == "running";
    if (Ended(sa) && Ended(sb)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(together);
  json da = WaitFor(ja, Ended), db = WaitFor(jb, Ended);
  ASSERT_EQ(da["state"], "done") << da;
  ASSERT_EQ(db["state"], "done") << db;
  auto ta = Client().Get(("/api/jobs/" + ja + "/download/txt").c_str());
  auto tb = Client().Get(("/api/jobs/" + jb + "/download/txt").c_str());
  EXPECT_NE(ta->body.find("Prova do servidor"), std::string::npos);
  EXPECT_EQ(ta->body.find("Açúcar"), std::string::npos);  // not the other's pages
  EXPECT_NE(tb->body.find("Linha 3000 — Açúcar & Café"), std::string::npos);
}

TEST_F(ServeTest, APluginThatCrashesEndsOnlyItsOwnPrint) {
  std::string slow = Panel("rptServeProbe", {{"pModo", "1"}, {"pLinhas", "100"}});
  std::string crash = Panel("rptServeProbe", {{"pModo", "2"}});
  std::string js = Post("/api/panels/" + slow + "/print", json::object(), 202)["id"];
  std::string jc = Post("/api/panels/" + crash + "/print", json::object(), 202)["id"];
  json c = WaitFor(jc, Ended);
  EXPECT_EQ(c["state"], "failed");
  EXPECT_NE(c["error"].get<std::string>().find("terminou de forma anormal (sinal 6)"),
            std::string::npos)
      << c;
  EXPECT_EQ(WaitFor(js, Ended)["state"], "done");
  Get("/api/reports");  // the server is still there
}

TEST_F(ServeTest, ARequiredFieldLeftEmptyStopsThePrint) {
  std::string id = Panel("rptServeProbe", {{"pDetalhar", "1"}, {"pNivel", ""}});
  json r = Post("/api/panels/" + id + "/print", json::object(), 422);
  EXPECT_EQ(r["error"], "Preencha: Nível");
}

}  // namespace
}  // namespace vireo::serve_test
