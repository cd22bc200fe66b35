# Program defaults, the start-up defaults prompt and the data backup.
target_sources(vm_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BackupCopy.cpp ${CMAKE_CURRENT_LIST_DIR}/BackupCopy.h
  ${CMAKE_CURRENT_LIST_DIR}/PrefsCommands.cpp ${CMAKE_CURRENT_LIST_DIR}/PrefsCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/Win_BackupData.cpp ${CMAKE_CURRENT_LIST_DIR}/Win_BackupData.h
  ${CMAKE_CURRENT_LIST_DIR}/Win_SetPrgDefaults.cpp ${CMAKE_CURRENT_LIST_DIR}/Win_SetPrgDefaults.h
  ${CMAKE_CURRENT_LIST_DIR}/Win_SetPrgDefaultsYN.cpp ${CMAKE_CURRENT_LIST_DIR}/Win_SetPrgDefaultsYN.h
)
# The backup counts brews and snapshots the table files.
target_link_libraries(vm_shell PUBLIC vm_tables)
