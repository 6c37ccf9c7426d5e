// The plug-in runner: how the host finds a report, loads it and prints it.
//
// Every front end runs reports through these three pieces, so that a test or
// a benchmark proves what `vireo print` and the browser give a user:
//
//   TnPluginCatalog   which plug-ins and layouts there are, and which one a
//                     name, a path or a layout variant means;
//   TnLoadedPlugin    a plug-in in the process (ClassDll, Imprimir), loaded
//                     once per path and unloaded when nobody holds it;
//   TnPrintSession    one print: the engine, the instance that prints, the
//                     configure steps in the panel's order, the outputs.
//
// A print, from a request to its outputs:
//
//   TnPluginCatalog catalog;                         // VIREO_PLUGIN_PATH, ../plugins, installed
//   TnPluginInfo info = catalog.Resolve("rptLedger");
//   std::string layout = info.Layout("movcaixa");    // rptLedger.movcaixa.json
//   TnPrintSession session(TnLoadedPlugin::Open(info.path), layout);
//   session.SetParameters({{"pDataInicial", "2025-01-01"}});  // after AntesConfigurar,
//                                                              // DepoisConfigurar
//   TnPrintResult r = session.Print({.pdf = "out.pdf"}, on_progress);
//
// The database is the caller's: make the connection current
// (SetCurrentConnection) before the session prints, and keep it open until
// the print has ended.
#pragma once

#include "host/report/loaded_plugin.h"
#include "host/report/plugin_catalog.h"
#include "host/report/print_session.h"
