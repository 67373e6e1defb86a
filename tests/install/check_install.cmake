# Installs the build into a fresh prefix and checks that the tree is complete and works:
#   cmake -DBUILD_DIR=... -DPREFIX=... -DFIGURE=some.kvf [-DUPDATE_MIME_DATABASE=...]
#         [-DDESKTOP_FILE_VALIDATE=...] -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

include(GNUInstallDirs)
set(bin "${PREFIX}/${CMAKE_INSTALL_BINDIR}/korvinth")
set(share "${PREFIX}/${CMAKE_INSTALL_DATADIR}")
foreach(f "${bin}" "${PREFIX}/${CMAKE_INSTALL_LIBDIR}/korvinth/korvinth-gui.so"
          "${share}/applications/korvinth.desktop"
          "${share}/icons/hicolor/scalable/apps/korvinth.svg"
          "${share}/mime/packages/korvinth.xml")
  if(NOT EXISTS "${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# The installed program runs on its own, away from the build tree.
execute_process(COMMAND "${bin}" --version RESULT_VARIABLE rc OUTPUT_VARIABLE out
                WORKING_DIRECTORY "${PREFIX}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "Korvinth / Win [0-9]+\\.[0-9]+\\.[0-9]+")
  message(FATAL_ERROR "installed korvinth --version gave ${rc}: ${out}")
endif()
execute_process(COMMAND "${bin}" --render "${FIGURE}" "${PREFIX}/figure.png"
                RESULT_VARIABLE rc ERROR_VARIABLE err WORKING_DIRECTORY "${PREFIX}")
file(SIZE "${PREFIX}/figure.png" png_size)
if(NOT rc EQUAL 0 OR png_size LESS 1000)
  message(FATAL_ERROR "installed korvinth --render gave ${rc} (${png_size} bytes): ${err}")
endif()

# The launcher starts the installed program, with the figure-file type it declares.
file(READ "${share}/applications/korvinth.desktop" desktop)
if(NOT desktop MATCHES "\nExec=korvinth %f\n" OR NOT desktop MATCHES
   "\nMimeType=application/x-korvinth-figure;\n" OR NOT desktop MATCHES "\nIcon=korvinth\n")
  message(FATAL_ERROR "the desktop entry does not start korvinth on figure files")
endif()
if(DESKTOP_FILE_VALIDATE AND EXISTS "${DESKTOP_FILE_VALIDATE}")
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${share}/applications/korvinth.desktop"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "installed desktop entry invalid:\n${out}")
  endif()
endif()

# The MIME database, built from the installed package file alone, maps *.kvf to the type.
if(UPDATE_MIME_DATABASE AND EXISTS "${UPDATE_MIME_DATABASE}")
  execute_process(COMMAND "${UPDATE_MIME_DATABASE}" "${share}/mime"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "[Ee]rror|[Ww]arning")
    message(FATAL_ERROR "update-mime-database rejects the figure-file type:\n${out}")
  endif()
  file(READ "${share}/mime/globs2" globs)
  if(NOT globs MATCHES "application/x-korvinth-figure:\\*\\.kvf")
    message(FATAL_ERROR "*.kvf is not mapped to application/x-korvinth-figure:\n${globs}")
  endif()
else()
  message(STATUS "update-mime-database not installed; the MIME database is not checked")
endif()
message(STATUS "install tree in ${PREFIX} is complete")
