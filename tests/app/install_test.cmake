# cmake --install into a scratch prefix, as a packager or user would, then: the two programs in
# bin/ run from there, the desktop entry passes desktop-file-validate, the icon is in the
# hicolor theme, the SQLite extension with the keys' collation is there, and the installed lab2siv-demo finds the installed laboratory export.
# Run: cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> -P install_test.cmake
if(NOT BUILD OR NOT PREFIX)
  message(FATAL_ERROR "BUILD and PREFIX must be given")
endif()
file(REMOVE_RECURSE "${PREFIX}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "failed (${code}): ${ARGN}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}")
foreach(f bin/lab2siv bin/lab2siv-demo share/applications/lab2siv.desktop
          share/icons/hicolor/scalable/apps/lab2siv.svg share/lab2siv/demo-lab/RNX20.dbf)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(GLOB extension "${PREFIX}/lib*/lab2siv/liblab2siv_sqlite.so")
if(NOT extension)
  message(FATAL_ERROR "not installed: lib/lab2siv/liblab2siv_sqlite.so")
endif()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing (Debian package desktop-file-utils)")
endif()
run(${VALIDATE} "${PREFIX}/share/applications/lab2siv.desktop")
if(NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate warns:\n${out}")
endif()

run(env -u DISPLAY -u WAYLAND_DISPLAY "${PREFIX}/bin/lab2siv" --version)
if(NOT out MATCHES "^lab2siv [0-9]")
  message(FATAL_ERROR "installed lab2siv --version printed: ${out}")
endif()

# The installed demo tool takes the installed export (a marker shows which one it copied).
file(WRITE "${PREFIX}/share/lab2siv/demo-lab/INSTALLED.txt" "from the prefix\n")
run("${PREFIX}/bin/lab2siv-demo" "${PREFIX}/demo")
if(NOT EXISTS "${PREFIX}/demo/lab/INSTALLED.txt")
  message(FATAL_ERROR "the installed lab2siv-demo did not take the installed laboratory export")
endif()
file(REMOVE_RECURSE "${PREFIX}")
