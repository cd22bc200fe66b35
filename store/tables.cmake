# The tables part of the record store: record layouts, keyed tables over
# SQLite, automatic numbering, field checks and the store's message texts.
add_library(vm_tables STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Table.cpp
)
target_include_directories(vm_tables PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vm_tables PUBLIC vm_base SQLite::SQLite3)
