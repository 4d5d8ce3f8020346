# Sources compiled on their own in unity builds (CMAKE_UNITY_BUILD, on by default): their
# file-local helpers share names with a neighbour's.
set(LUMIVEX_UNITY_SKIPS
  imaging/formats/LoadSave.cpp
  imaging/formats/TIFFLibtiff.cpp
  imaging/formats/TIFFWriter.cpp
  platform/MetafilePlayEMF.cpp
  tests/formats/test_bmp.cpp
  tests/formats/test_gif_writer.cpp
  tests/formats/test_ico.cpp
  tests/formats/test_orientation.cpp
  tests/formats/test_tga.cpp
  tests/dialogs/test_effect_window.cpp
  tests/dialogs/test_open_save_dialog.cpp
  tests/print/test_print_windows.cpp
  tests/app/test_file_commands.cpp
  tests/app/test_file_list_widgets.cpp
  tests/app/test_full_screen.cpp
  tests/app/test_incremental_listing.cpp
  tests/app/test_preload_stepping.cpp
  tests/app/test_shell_commands.cpp
  tests/app/test_thumbnail_tools.cpp
  tests/thumbs/test_thumbedit_window.cpp
  tests/thumbs/test_thumbnail_cache.cpp
  tests/view/test_gif_control.cpp
  tests/view/test_gif_player.cpp
)
foreach(source IN LISTS LUMIVEX_UNITY_SKIPS)
  get_filename_component(folder ${PROJECT_SOURCE_DIR}/${source} DIRECTORY)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/${source} DIRECTORY ${folder}
                              PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endforeach()
