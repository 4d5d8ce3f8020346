# Installing Lumivex like any desktop application, and the Debian package made from it.
include(GNUInstallDirs)

install(TARGETS lumivex lumivex-cli lumivex-view RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# lumivex-cli's Qt module, where the program looks for it (tools/CMakeLists.txt).
install(TARGETS lumivex-cli-qt LIBRARY DESTINATION ${LUMIVEX_CLI_MODULE_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/app/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumivex/help)
# The sheet creator's backgrounds are made at build time beside the program.
install(DIRECTORY ${PROJECT_BINARY_DIR}/app/Backgrounds/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lumivex/backgrounds)

# The desktop entry comes from the same code that writes a user's associations. lumivex-cli
# runs at build time, also in a sanitizer build, where only its own errors may stop the build.
set(LUMIVEX_RUN_CLI ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)
set(LUMIVEX_DESKTOP_ENTRY ${PROJECT_BINARY_DIR}/packaging/lumivex.desktop)
add_custom_command(OUTPUT ${LUMIVEX_DESKTOP_ENTRY}
  COMMAND ${LUMIVEX_RUN_CLI} $<TARGET_FILE:lumivex-cli> desktop-entry --program lumivex
          ${LUMIVEX_DESKTOP_ENTRY}
  DEPENDS lumivex-cli VERBATIM)
# The manual page of lumivex-cli is made from its own --help texts.
set(LUMIVEX_CLI_MAN ${PROJECT_BINARY_DIR}/packaging/lumivex-cli.1)
add_custom_command(OUTPUT ${LUMIVEX_CLI_MAN}
  COMMAND ${LUMIVEX_RUN_CLI} ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:lumivex-cli> -DOUT=${LUMIVEX_CLI_MAN}
          -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/packaging/ManPage.cmake
  DEPENDS lumivex-cli ${PROJECT_SOURCE_DIR}/packaging/ManPage.cmake VERBATIM)
# Manual pages and the changelog are installed compressed, as Debian expects.
set(LUMIVEX_GZIPPED "")
foreach(source IN ITEMS ${PROJECT_SOURCE_DIR}/packaging/lumivex.1
                        ${PROJECT_SOURCE_DIR}/packaging/lumivex-view.1 ${LUMIVEX_CLI_MAN}
                        ${PROJECT_SOURCE_DIR}/packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(gz ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9nc ${source} > ${gz}
    DEPENDS ${source})
  list(APPEND LUMIVEX_GZIPPED ${gz})
endforeach()
add_custom_target(lumivex_packaging_files ALL DEPENDS ${LUMIVEX_DESKTOP_ENTRY} ${LUMIVEX_GZIPPED})

install(FILES ${LUMIVEX_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/com.corvane.lumivex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/lumivex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/packaging/icons/hicolor/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_BINARY_DIR}/packaging/lumivex.1.gz ${PROJECT_BINARY_DIR}/packaging/lumivex-view.1.gz
              ${PROJECT_BINARY_DIR}/packaging/lumivex-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumivex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivex)
set(CPACK_PACKAGE_VENDOR "Corvane Software")
set(CPACK_PACKAGE_CONTACT "Corvane Software <lumivex@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture browser, slideshow player and light image editor")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lumivex walks folders of pictures and shows each one at once: BMP, JPEG,\n"
    "PNG, GIF, PCX, PBM/PGM/PPM, TGA, TIFF, icons, metafiles and AVI videos.\n"
    "It plays slideshows, keeps bookmarks, sorts pictures into folders as they\n"
    "arrive, and fixes, converts and prints them. lumivex-cli does the same\n"
    "work on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Video plays through Qt Multimedia's FFmpeg backend; opening pictures from the desktop and
# setting the wallpaper call the desktop's own tools when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvane.example/lumivex/")
include(CPack)
