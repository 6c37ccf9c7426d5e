// `vireo serve`: the reports in a browser (serve/server.h).
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "app/commands.h"
#include "host/core/exception.h"
#include "serve/server.h"

namespace vireo::app {
namespace {

struct ServeFlags {
  serve::ServeOptions options;
  std::string listen = "127.0.0.1:8080";
  std::optional<int> user, company;
  std::vector<std::string> denied;
};

// "HOST:PORT", "[V6]:PORT" or ":PORT" (loopback).
void ReadListen(const std::string& listen, serve::ServeOptions& o) {
  size_t colon = listen.rfind(':');
  if (colon == std::string::npos) throw EUsage("--listen: use HOST:PORTA (" + listen + ")");
  std::string host = listen.substr(0, colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  o.host = host.empty() ? "127.0.0.1" : host;
  try {
    o.port = std::stoi(listen.substr(colon + 1));
  } catch (const std::exception&) {
    throw EUsage("--listen: porta inválida (" + listen + ")");
  }
  if (o.port < 0 || o.port > 65535) throw EUsage("--listen: porta inválida (" + listen + ")");
}

void Serve(ServeFlags& f) {
  ReadListen(f.listen, f.options);
  if (f.user)
    f.options.session_args.insert(f.options.session_args.end(),
                                  {"--user", std::to_string(*f.user)});
  if (f.company)
    f.options.session_args.insert(f.options.session_args.end(),
                                  {"--company", std::to_string(*f.company)});
  for (const std::string& d : f.denied)
    f.options.session_args.insert(f.options.session_args.end(), {"--deny", d});
  // Ctrl+C and SIGTERM are taken by a thread of their own, which stops the
  // server; every other thread (the server's) inherits the mask.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  signal(SIGPIPE, SIG_IGN);
  serve::Server server(f.options);
  server.Bind();
  std::thread waiter([&] {
    int sig = 0;
    sigwait(&stop, &sig);
    server.Stop();
  });
  std::printf("vireo serve: abra no navegador\n  %s\n(Ctrl+C encerra)\n", server.Url().c_str());
  std::fflush(stdout);
  server.Run();
  kill(getpid(), SIGTERM);  // ends the waiter when the server stopped otherwise
  waiter.join();
}

}  // namespace

void RegisterServeCommand(CLI::App& app) {
  auto f = std::make_shared<ServeFlags>();
  CLI::App* serve = app.add_subcommand("serve", "Os relatórios no navegador");
  serve->add_option("--db", f->options.database, "Banco de dados")->required();
  serve->add_option("--listen", f->listen, "Endereço HOST:PORTA (padrão 127.0.0.1:8080)");
  serve->add_option("--workers", f->options.workers,
                    "Impressões ao mesmo tempo (padrão: os núcleos da máquina)");
  serve->add_option("--queue", f->options.max_waiting, "Impressões que podem esperar na fila");
  serve->add_option("--worker-memory", f->options.worker_memory_mb,
                    "Memória de cada impressão em MB (0: sem limite)");
  serve->add_option("--print-timeout", f->options.print_timeout_seconds,
                    "Tempo máximo de uma impressão em segundos (0: sem limite)");
  serve->add_option("--web", f->options.web_dir, "Pasta das páginas");
  serve->add_option("--token", f->options.token, "Token de acesso (padrão: um novo a cada início)");
  serve->add_option("--user", f->user, "Usuário logado (padrão: VIREO_USUARIO ou 0)");
  serve->add_option("--company", f->company, "Empresa atual (padrão: VIREO_EMPRESA)");
  serve->add_option("--deny", f->denied, "Direito negado ao usuário (repetível)");
  serve->callback([f] { Serve(*f); });
}

}  // namespace vireo::app
