# The program starts its text commands without the Qt libraries: none is among the libraries it
# needs, while the window module needs them.
#   cmake -DPROGRAM=... -DMODULE=... -P no_qt.cmake
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PROGRAM}" RESOLVED_DEPENDENCIES_VAR program_deps
     UNRESOLVED_DEPENDENCIES_VAR program_missing)
file(GET_RUNTIME_DEPENDENCIES MODULES "${MODULE}" RESOLVED_DEPENDENCIES_VAR module_deps
     UNRESOLVED_DEPENDENCIES_VAR module_missing)
foreach(dep IN LISTS program_deps program_missing)
  if(dep MATCHES "libQt")
    message(FATAL_ERROR "${PROGRAM} needs ${dep}")
  endif()
endforeach()
if(NOT module_deps MATCHES "libQt6Widgets")
  message(FATAL_ERROR "the window module does not need Qt Widgets: ${module_deps}")
endif()
