# ledger_tests: the text splitter, compiled in, and the rptLedger plug-in,
# loaded from the plug-in directory the way the host loads it.
vireo_test_program(ledger_tests ledgers VireoReport5 VireoDb)
if(TARGET ledger_tests)
  find_package(nlohmann_json 3 REQUIRED)
  target_sources(ledger_tests PRIVATE ${CMAKE_SOURCE_DIR}/reports/ledgers/DivisorTexto.cpp)
  target_link_libraries(ledger_tests PRIVATE nlohmann_json::nlohmann_json)
  target_compile_definitions(ledger_tests PRIVATE VIREO_PLUGIN_DIR="${VIREO_PLUGIN_DIR}")
  if(TARGET rptLedger)
    add_dependencies(ledger_tests rptLedger)
  endif()
endif()
