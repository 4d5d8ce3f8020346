# The folder rule (DEVELOPERS.md, "Folders and libraries"), enforced here.
#
#   lumivex_core_library(NAME SOURCES... [DEPS ...])
#     Plain C++ logic (arithmetic, documents, file formats, layout, commands). It links only
#     the imaging libraries and other core libraries (and third-party C/C++ libraries), never
#     Qt, so a Qt include in its sources does not compile. Tests drive it without a window.
#
#   lumivex_qt_library(NAME SOURCES... [DEPS ...])
#     The windows: a thin Qt layer over the folder's core library. AUTOMOC is on.
#
# Folders are layered; a folder uses (links and includes) only folders above it in this list:
#   imaging, imaging/formats, imaging/filters, platform, controls, view, dialogs,
#   the tool folders editor, convert, thumbs, albums, print (side by side), app, tools.
# Tool folders do not use one another (albums may use print); they reach the main window
# through controls/ToolHost.h, which the window registry in app/ hands them.
# Project headers are included by their path from the project root ("imaging/PGraphic.h").
# lumivex_check_architecture() checks every target's links and every source's includes.

set_property(GLOBAL PROPERTY LUMIVEX_CORE_LIBRARIES lumivex_imaging lumivex_formats lumivex_filters)

set(LUMIVEX_LAYERS
  "imaging" "imaging/formats" "imaging/filters" "platform" "controls" "view" "dialogs"
  "editor|convert|thumbs|albums|print|mover" "app" "tools")
# Uses allowed between folders of the same layer: "user>used".
set(LUMIVEX_SIDEWAYS "albums>print")

function(lumivex_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  get_property(cores GLOBAL PROPERTY LUMIVEX_CORE_LIBRARIES)
  foreach(dep IN LISTS ARG_DEPS)
    if(dep MATCHES "^Qt" OR (dep MATCHES "^lumivex_" AND NOT dep IN_LIST cores))
      message(FATAL_ERROR "${name} is a core library: it may link only core libraries, not ${dep}")
    endif()
  endforeach()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC lumivex_imaging ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY LUMIVEX_CORE_LIBRARIES ${name})
endfunction()

function(lumivex_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Core Qt6::Gui Qt6::Widgets)
endfunction()

# The layered folder of a path relative to the project ("imaging/formats/X.h" ->
# "imaging/formats"); empty for paths outside the layers (tests, bench, fuzz, cmake).
function(lumivex_folder_of path out)
  set(found "")
  foreach(layer IN LISTS LUMIVEX_LAYERS)
    string(REPLACE "|" ";" folders "${layer}")
    foreach(folder IN LISTS folders)
      string(LENGTH "${folder}" n)
      string(LENGTH "${found}" best)
      if(path MATCHES "^${folder}/" AND n GREATER best)
        set(found "${folder}")
      endif()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(lumivex_layer_of folder out)
  set(index 0)
  foreach(layer IN LISTS LUMIVEX_LAYERS)
    string(REPLACE "|" ";" folders "${layer}")
    if(folder IN_LIST folders)
      set(${out} ${index} PARENT_SCOPE)
      return()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# Whether `user` may use `used`; sets `out` to TRUE or FALSE.
function(lumivex_may_use user used out)
  set(${out} TRUE PARENT_SCOPE)
  if(user STREQUAL used OR user STREQUAL "" OR used STREQUAL "")
    return()
  endif()
  lumivex_layer_of("${user}" a)
  lumivex_layer_of("${used}" b)
  if(b LESS a OR "${user}>${used}" IN_LIST LUMIVEX_SIDEWAYS)
    return()
  endif()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# Checks every lumivex_* target's links and every source's project includes against the
# layers. Run once, after all folders were added.
function(lumivex_check_architecture)
  set(problems "")
  # Links.
  set(targets "")
  foreach(layer IN LISTS LUMIVEX_LAYERS)
    string(REPLACE "|" ";" folders "${layer}")
    foreach(folder IN LISTS folders)
      if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${folder})
        get_property(list DIRECTORY ${PROJECT_SOURCE_DIR}/${folder} PROPERTY BUILDSYSTEM_TARGETS)
        list(APPEND targets ${list})
      endif()
    endforeach()
  endforeach()
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir}/x)
    lumivex_folder_of("${rel}" user)
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(dep IN LISTS links)
      if(dep MATCHES "^lumivex_" AND TARGET ${dep})
        get_target_property(depdir ${dep} SOURCE_DIR)
        file(RELATIVE_PATH deprel ${PROJECT_SOURCE_DIR} ${depdir}/x)
        lumivex_folder_of("${deprel}" used)
        lumivex_may_use("${user}" "${used}" ok)
        if(NOT ok)
          list(APPEND problems "${target} (${user}) links ${dep} (${used})")
        endif()
      endif()
    endforeach()
  endforeach()
  # Includes.
  foreach(layer IN LISTS LUMIVEX_LAYERS)
    string(REPLACE "|" ";" folders "${layer}")
    foreach(folder IN LISTS folders)
      file(GLOB_RECURSE sources RELATIVE ${PROJECT_SOURCE_DIR}
           ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
      foreach(source IN LISTS sources)
        lumivex_folder_of("${source}" user)
        file(STRINGS ${PROJECT_SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
        foreach(line IN LISTS includes)
          string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" header "${line}")
          if(NOT header MATCHES "/")
            list(APPEND problems "${source} includes \"${header}\": name project headers by their path from the project root")
          endif()
          lumivex_folder_of("${header}" used)
          lumivex_may_use("${user}" "${used}" ok)
          if(NOT ok)
            list(APPEND problems "${source} includes ${header}")
          endif()
        endforeach()
      endforeach()
    endforeach()
  endforeach()
  if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "The folder rule (DEVELOPERS.md) is broken:\n  ${text}")
  endif()
endfunction()
