# balances_tests: the trial-balance plug-ins, loaded from the plug-in
# directory the way the host loads them, against small databases made per
# test, the demo database (agreement with the ledger), and the `vireo`
# program for what the panel refuses.
vireo_test_program(balances_tests balances VireoReport5 VireoDb KorvanFin5)
if(TARGET balances_tests)
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(balances_tests PRIVATE nlohmann_json::nlohmann_json)
  target_compile_definitions(balances_tests PRIVATE
    VIREO_PLUGIN_DIR="${VIREO_PLUGIN_DIR}"
    VIREO_BIN="$<TARGET_FILE:vireo>")
  add_dependencies(balances_tests vireo)
  foreach(plugin rptTrialBalance rptTrialBalancePercent rptMonthlyTracking rptLedger)
    if(TARGET ${plugin})
      add_dependencies(balances_tests ${plugin})
    endif()
  endforeach()
endif()
