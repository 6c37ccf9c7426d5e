// `vireo db create` and `vireo demo`: make a database with the schema, and
// optionally fill it with the deterministic demo data.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/commands.h"
#include "db/demo.h"
#include "db/schema.h"
#include "host/data/connection.h"
#include "host/data/dataset.h"

namespace vireo::app {
namespace {

struct DbOptions {
  std::string db;
  bool force = false;
  int scale = 1;
  uint32_t seed = 20261209;
};

// Fresh index statistics, so the optimizer sees the demo's real volumes
// instead of the empty tables the indexes were created on.
void RefreshStatistics(TnConnection& con) {
  std::unique_ptr<TnClientDataSet> indexes(
      con.Query("select trim(RDB$INDEX_NAME) as NOME from RDB$INDICES "
                "where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
  auto w = con.StartWrite();
  for (indexes->First(); !indexes->Eof(); indexes->Next())
    w->Execute("SET STATISTICS INDEX " + indexes->FieldByName("NOME")->AsString());
  w->Commit();
}

// Rows per table, for the summary printed after the demo.
void PrintSummary(TnConnection& con) {
  std::unique_ptr<TnClientDataSet> tables(
      con.Query("select trim(RDB$RELATION_NAME) as NOME from RDB$RELATIONS "
                "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$VIEW_BLR is null order by 1"));
  int total_tables = 0;
  for (tables->First(); !tables->Eof(); tables->Next()) {
    std::string name = tables->FieldByName("NOME")->AsString();
    std::unique_ptr<TnClientDataSet> n(con.Query("select count(*) as N from " + name));
    int64_t rows = n->FieldByName("N")->AsInteger();
    ++total_tables;
    if (rows > 0) std::printf("  %-28s %10lld\n", name.c_str(), static_cast<long long>(rows));
  }
  std::printf("  (%d tabelas no esquema)\n", total_tables);
}

void Create(const DbOptions& o) {
  auto con = CreateDatabase(o.db, o.force);
  std::printf("Banco de dados criado: %s\n", o.db.c_str());
}

void Demo(const DbOptions& o) {
  auto start = std::chrono::steady_clock::now();
  auto con = CreateDatabase(o.db, o.force);
  DemoOptions demo;
  demo.scale = o.scale;
  demo.seed = o.seed;
  try {
    GenerateDemo(*con, demo);
    RefreshStatistics(*con);
  } catch (...) {
    // A database without its demo data is not what was asked for.
    con.reset();
    std::error_code ignored;
    if (std::filesystem::is_regular_file(o.db, ignored)) std::filesystem::remove(o.db, ignored);
    throw;
  }
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // A database on a server has no file here to measure.
  std::error_code no_file;
  const auto bytes = std::filesystem::file_size(o.db, no_file);
  char size[32] = "";
  if (!no_file) std::snprintf(size, sizeof size, ", %.1f MB", bytes / (1024.0 * 1024.0));
  std::printf("Banco de demonstração criado: %s (escala %d, semente %u, %.1f s%s)\n", o.db.c_str(),
              o.scale, o.seed, secs, size);
  PrintSummary(*con);
}

}  // namespace

void RegisterDbCommands(CLI::App& app) {
  auto opts = std::make_shared<DbOptions>();

  CLI::App* db = app.add_subcommand("db", "Banco de dados");
  db->require_subcommand(1);
  CLI::App* create = db->add_subcommand("create", "Cria um banco vazio com o esquema");
  create->add_option("--db", opts->db, "Arquivo do banco")->required();
  create->add_flag("--force", opts->force, "Substitui um arquivo existente");
  create->callback([opts] { Create(*opts); });

  CLI::App* demo = app.add_subcommand("demo", "Cria um banco com dados de demonstração");
  demo->add_option("--db", opts->db, "Arquivo do banco")->required();
  demo->add_option("--scale", opts->scale, "Multiplica os volumes")->check(CLI::Range(1, 1000));
  demo->add_option("--seed", opts->seed, "Semente dos dados");
  demo->add_flag("--force", opts->force, "Substitui um arquivo existente");
  demo->callback([opts] { Demo(*opts); });
}

}  // namespace vireo::app
