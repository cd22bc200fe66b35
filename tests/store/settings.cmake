# Settings files and globals: each test runs in a fresh folder of its own.
if(TARGET vm_settings)
  add_executable(settings_tests
    ${CMAKE_CURRENT_LIST_DIR}/settings_IniFile_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_ProgramSettings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_WindowStore_test.cpp
  )
  target_link_libraries(settings_tests PRIVATE vm_settings GTest::gtest_main)
  gtest_discover_tests(settings_tests TEST_PREFIX "Settings." DISCOVERY_TIMEOUT 60)
endif()
