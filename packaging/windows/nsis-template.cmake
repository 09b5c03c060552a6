# CPack's own NSIS script template, made Lithuanian: a 64-bit Unicode installer (the programs
# are 64-bit, and a 64-bit Windows needs nothing else to run it) whose one language is
# Lithuanian, and a Start menu that says "Pašalinti" for the uninstaller. Written into the
# build folder, where CPack looks for NSIS.template.in before its own.
set(_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${_template} _nsis)

string(REGEX REPLACE "  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n" "" _nsis "${_nsis}")
string(REPLACE ";Languages\n" ";Languages\n\n  !insertmacro MUI_LANGUAGE \"Lithuanian\"\n" _nsis "${_nsis}")
string(REPLACE "; CPack install script" "Target amd64-unicode\n; CPack install script" _nsis "${_nsis}")
string(REPLACE "Uninstall.lnk" "Pašalinti.lnk" _nsis "${_nsis}")

foreach(_expected "MUI_LANGUAGE \"Lithuanian\"" "Target amd64-unicode" "Pašalinti.lnk")
    string(FIND "${_nsis}" "${_expected}" _at)
    if(_at EQUAL -1)
        message(FATAL_ERROR "CPack's NSIS template changed: could not set ${_expected}")
    endif()
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${_nsis}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
