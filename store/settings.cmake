# The settings files (.\Vatmark.ini, .\Browse.ini) and the program-wide globals.
add_library(vm_settings STATIC
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.h
  ${CMAKE_CURRENT_LIST_DIR}/ProgramSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramSettings.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowStore.h
  ${CMAKE_CURRENT_LIST_DIR}/Globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Globals.h
)
target_include_directories(vm_settings PUBLIC ${CMAKE_SOURCE_DIR})
# The globals hold dates and decimals.
target_link_libraries(vm_settings PUBLIC vm_base)
