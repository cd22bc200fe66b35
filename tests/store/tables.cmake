# Tests of the tables part of the record store.  Each test that touches
# files works in a fresh temporary folder of its own.
if(TARGET vm_tables)
  add_executable(tables_tests
    ${CMAKE_CURRENT_LIST_DIR}/tables_Records_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tables_Table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tables_Files_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tables_Processes_test.cpp
  )
  target_link_libraries(tables_tests PRIVATE vm_tables GTest::gtest_main)
  gtest_discover_tests(tables_tests TEST_PREFIX "Store." DISCOVERY_TIMEOUT 60)
endif()
