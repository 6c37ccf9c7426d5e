# checks_tests: the accounting checks.  The query builders are compiled in so
# their texts can be read for every product and connection kind; the
# plug-ins are loaded from the plug-in directory the way the host loads them.
vireo_test_program(checks_tests checks VireoReport5 VireoDb KorvanFin5)
if(TARGET checks_tests)
  find_package(nlohmann_json 3 REQUIRED)
  target_sources(checks_tests PRIVATE ${CMAKE_SOURCE_DIR}/reports/checks/SQLConferenciaCtb.cpp)
  target_link_libraries(checks_tests PRIVATE nlohmann_json::nlohmann_json)
  target_compile_definitions(checks_tests PRIVATE VIREO_PLUGIN_DIR="${VIREO_PLUGIN_DIR}")
  if(TARGET rptLedgerEntryCheck)
    add_dependencies(checks_tests rptLedgerEntryCheck)
  endif()
endif()

# rptManagerialEntryCheck and rptPostingPreview: their query builders too.
if(TARGET checks_tests)
  target_sources(checks_tests PRIVATE
    ${CMAKE_SOURCE_DIR}/reports/checks/rptManagerialEntryCheckSQL.cpp
    ${CMAKE_SOURCE_DIR}/reports/checks/rptPostingPreviewSQL.cpp)
  foreach(plugin rptManagerialEntryCheck rptPostingPreview)
    if(TARGET ${plugin})
      add_dependencies(checks_tests ${plugin})
    endif()
  endforeach()
endif()
