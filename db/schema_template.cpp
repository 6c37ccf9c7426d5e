// Schema-only template databases for test fixtures (see
// CreateDatabaseFromTemplate in db/schema.h).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "db/schema.h"
#include "host/core/exception.h"

namespace vireo {

namespace {

namespace fs = std::filesystem;

// FNV-1a: stable from one build to the next, unlike std::hash.
uint64_t Digest(std::string_view text) {
  uint64_t hash = 1469598103934665603ULL;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

fs::path TemplatePath() {
  char name[64];
  std::snprintf(name, sizeof name, "vireo-schema-%016llx.fdb",
                static_cast<unsigned long long>(Digest(SchemaText())));
  return fs::temp_directory_path() / name;
}

// Built under a name of this process and renamed into place, so processes
// that race to build it never see a half-made template.
void BuildTemplate(const fs::path& target) {
  fs::path building = target;
  building += ".";
  building += std::to_string(getpid());
  building += ".tmp";
  CreateDatabase(building.string(), true).reset();
  std::error_code error;
  fs::rename(building, target, error);
  if (error) fs::remove(building, error);
}

}  // namespace

std::unique_ptr<TnConnection> CreateDatabaseFromTemplate(const std::string& path) {
  std::error_code error;
  if (fs::exists(path, error)) {
    throw EDatabaseError("O arquivo " + path +
                         " já existe; escolha outro nome ou peça para substituí-lo.");
  }
  fs::path source = TemplatePath();
  if (!fs::exists(source, error)) BuildTemplate(source);
  fs::copy_file(source, path, error);
  if (error) {
    throw EDatabaseError("Não foi possível criar o banco de dados " + path + ": " +
                         error.message());
  }
  TnConnectionParams params;
  params.database = path;
  return TnConnection::Open(params);
}

}  // namespace vireo
