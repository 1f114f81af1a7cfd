# Fails when an #include points up the layers. The folders, bottom to top:
#   platform → core → widgets → subsystems (items, containers, accounts,
#   guilds, reports) → app
# A file may include its own layer and those below it. A file of tanor_core
# (listed one per line in CORE_LIST) includes no widgets/ header, no QtWidgets
# header and no file of tanor_gui (listed in GUI_LIST). tools/ stands on top
# of the layers but links tanor_core alone, so its files follow the same rule
# as core files; tools/shots/ (the screenshot program) may include everything.
# A file of tanor_gui runs no statement: it includes neither platform/Query.h
# nor core/QueryHelpers.h nor a statements module (*Statements.h); windows
# call their subsystem's core operations instead.
#
#   cmake -DSOURCE_DIR=<repository> -DCORE_LIST=<file> -DGUI_LIST=<file> -P check-includes.cmake

set(rank_platform 0)
set(rank_core 1)
set(rank_widgets 2)
foreach(folder items containers accounts guilds reports)
  set(rank_${folder} 3)
endforeach()
set(rank_app 4)
set(rank_tools 5)
set(rank_tools/shots 5)
set(folders platform core widgets items containers accounts guilds reports app tools tools/shots)
set(core_folders tools)

function(read_list file out)
  file(STRINGS "${file}" paths)
  set(relative)
  foreach(path IN LISTS paths)
    file(RELATIVE_PATH rel "${SOURCE_DIR}" "${path}")
    list(APPEND relative "${rel}")
  endforeach()
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()
read_list("${CORE_LIST}" core_relative)
read_list("${GUI_LIST}" gui_relative)

set(faults)
foreach(folder IN LISTS folders)
  file(GLOB files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
  foreach(file IN LISTS files)
    list(FIND core_relative "${file}" core_index)
    list(FIND core_folders "${folder}" core_folder_index)
    if(core_folder_index GREATER_EQUAL 0)
      set(core_index 0)
    endif()
    file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" target "${line}")
      string(REGEX MATCH "^[^/]+" target_folder "${target}")
      if(NOT "${target}" MATCHES "/")
        set(target_folder "")
      endif()
      if(DEFINED rank_${target_folder} AND rank_${target_folder} GREATER rank_${folder})
        list(APPEND faults "${file}: ${target} (${folder} may not include ${target_folder})")
      endif()
      list(FIND gui_relative "${file}" gui_index)
      if(gui_index GREATER_EQUAL 0 AND "${target}" MATCHES "^(platform/Query\\.h|core/QueryHelpers\\.h|.*Statements\\.h)$")
        list(APPEND faults "${file}: ${target} (a window runs statements: it calls core operations)")
      endif()
      if(core_index GREATER_EQUAL 0)
        if("${target}" MATCHES "^(widgets/|QtWidgets)")
          list(APPEND faults "${file}: ${target} (a core file includes GUI code)")
        else()
          list(FIND gui_relative "${target}" target_gui)
          if(target_gui GREATER_EQUAL 0)
            list(APPEND faults "${file}: ${target} (a core file includes a GUI file)")
          endif()
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Includes follow the layers")
