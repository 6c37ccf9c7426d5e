// vireo: the host program.  Creates databases, fills demo data, lists the
// reports, shows their parameter panels and prints them.
#include <cstdio>
#include <exception>

#include "app/commands.h"
#include "host/core/exception.h"

namespace {

using namespace vireo;
using namespace vireo::app;

int Report(int status, const char* kind, const std::string& message) {
  std::fprintf(stderr, "vireo: %s%s\n", kind, message.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"vireo: relatórios financeiros e contábeis"};
  app.require_subcommand(1);
  RegisterDbCommands(app);
  RegisterReportCommands(app);
  RegisterServeCommand(app);
  RegisterAgendaCommands(app);
  try {
    app.parse(argc, argv);
    return kOk;
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? kOk : kUsage;
  } catch (const EUsage& e) {
    return Report(kUsage, "", e.Message());
  } catch (const EnParam& e) {
    return Report(kParameter, "erro de parâmetro: ", e.Message());
  } catch (const EConvertError& e) {
    return Report(kParameter, "erro de parâmetro: ", e.Message());
  } catch (const EDatabaseError& e) {
    return Report(kDatabase, "erro de banco de dados: ", e.Message());
  } catch (const std::exception& e) {
    return Report(kFailure, "erro: ", e.what());
  } catch (...) {
    return Report(kFailure, "erro: ", "falha desconhecida");
  }
}
