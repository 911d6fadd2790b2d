# Fails when the program given as BINARY loads Qt's GUI libraries, directly or through another library:
# keyvane-cli is built on the core alone, so it starts without a display and loads little.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${BINARY}" RESOLVED_DEPENDENCIES_VAR loaded)
list(LENGTH loaded count)
list(FILTER loaded INCLUDE REGEX "libQt6(Gui|Widgets)")
if(loaded)
  message(FATAL_ERROR "${BINARY} loads ${loaded}")
endif()
message(STATUS "${BINARY} loads ${count} libraries, none of them Qt's GUI")
