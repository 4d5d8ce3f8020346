# The two kinds of library a folder with windows builds:
#
#   lumivex_core_library(NAME SOURCES... [DEPS ...])
#     Plain C++ logic (arithmetic, documents, file formats, layout, commands). It links only
#     the imaging libraries and other core libraries, never Qt, so a Qt include in its sources
#     does not compile. Tests drive it without a window.
#
#   lumivex_qt_library(NAME SOURCES... [DEPS ...])
#     The windows: a thin Qt layer over the folder's core library. AUTOMOC is on.
#
# Tool folders (editor, convert, thumbs, albums, print) do not link one another (albums may
# link print); they reach the main window through controls/ToolHost.h.
set(LUMIVEX_CORE_ALLOWED lumivex_imaging lumivex_formats lumivex_filters)

function(lumivex_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  foreach(dep IN LISTS ARG_DEPS)
    if(dep MATCHES "^Qt" OR dep MATCHES "^lumivex_(platform|qtimage|metafile|view|controls|gifcontrol|app)")
      message(FATAL_ERROR "${name} is a core library: it may not link ${dep}")
    endif()
  endforeach()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC lumivex_imaging ${ARG_DEPS})
endfunction()

function(lumivex_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Core Qt6::Gui Qt6::Widgets)
endfunction()
