# server_tests: the program and the data layer against a running Firebird
# server (scripts/firebird-server.sh; address in VIREO_FB_SERVER).
vireo_test_program(server_tests server VireoDb)
if(TARGET server_tests)
  target_compile_definitions(server_tests PRIVATE VIREO_BIN="$<TARGET_FILE:vireo>")
  add_dependencies(server_tests vireo rptLedger rptTrialBalance rptLedgerEntryCheck)
endif()
