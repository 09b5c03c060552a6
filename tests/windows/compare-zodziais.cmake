# zodziais.exe under Wine against the Linux zodziais: for each case the same standard output,
# standard error and exit code, byte for byte. Standard input is read as UTF-8 on both.
#   cmake -DWINDOWS_ZODZIAIS=zodziais.exe -DLINUX_ZODZIAIS=zodziais -DEMULATOR=tools/wine-run -P compare-zodziais.cmake
if(NOT LINUX_ZODZIAIS OR NOT EXISTS "${LINUX_ZODZIAIS}")
    message(FATAL_ERROR "no Linux zodziais to compare with (configure with -DSUMA_LINUX_ZODZIAIS=...)")
endif()

set(work ${CMAKE_CURRENT_BINARY_DIR}/compare-zodziais)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

# Standard inputs, written as bytes: \r and \n from CMake's escapes, the rest literally. Only
# what Windows could treat otherwise: CR LF, bytes that are no UTF-8, and Ctrl+Z, which ends the
# input in text mode. How lines are cut is the same code on both (tests/tst_inputlines.cpp).
string(ASCII 255 ff)
string(ASCII 254 fe)
string(ASCII 26 ctrl_z)
file(WRITE ${work}/readme.txt "12,5\r\nabc\n100\n")
file(WRITE ${work}/invalid-utf8.txt "12${ff}${fe}3\n1${ff}\n45\n")
file(WRITE ${work}/ctrl-z.txt "1\r\n${ctrl_z}\r\n2${ctrl_z}\n3")
file(WRITE ${work}/empty.txt "")

# name | standard input file or "-" | arguments, separated by blanks
set(cases
    "readme: one amount|-|--locale lt_LT 1234,56"
    "readme: plain capitals|-|--plain --upper 2021"
    "readme: euro from standard input|readme.txt|--locale lt_LT --currency Eur"
    "negative argument|-|--locale lt_LT -5,25"
    "invalid UTF-8|invalid-utf8.txt|--locale lt_LT"
    "Ctrl+Z is a byte like any other|ctrl-z.txt|--locale lt_LT"
    "unknown option|-|--locale lt_LT --nope"
    "unknown currency|-|--currency USD 1"
    "unknown locale|-|--locale xx_YY 1"
    "conflicting options|-|--plain --money 1"
    "version|-|--version")

set(failures 0)
set(reruns 0)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 name)
    list(GET parts 1 input)
    list(GET parts 2 arguments)
    separate_arguments(arguments UNIX_COMMAND "${arguments}")
    if(input STREQUAL "-")
        set(input ${work}/empty.txt)
    else()
        set(input ${work}/${input})
    endif()
    execute_process(COMMAND ${LINUX_ZODZIAIS} ${arguments}
        INPUT_FILE ${input} OUTPUT_FILE ${work}/linux.out ERROR_FILE ${work}/linux.err
        RESULT_VARIABLE linux_rc TIMEOUT 120)
    file(SIZE ${work}/linux.out linux_out_size)
    file(SIZE ${work}/linux.err linux_err_size)
    math(EXPR linux_said "${linux_out_size} + ${linux_err_size}")
    # Wine now and then fails to start a process on a loaded machine: a non-zero exit with no
    # output at all, which the program itself never gives (it always says why). Only that is
    # run once more, and counted; any other difference fails at once.
    foreach(attempt IN ITEMS first second)
        execute_process(COMMAND ${EMULATOR} ${WINDOWS_ZODZIAIS} ${arguments}
            INPUT_FILE ${input} OUTPUT_FILE ${work}/windows.out ERROR_FILE ${work}/windows.err
            RESULT_VARIABLE windows_rc TIMEOUT 120)
        file(SIZE ${work}/windows.out out_size)
        file(SIZE ${work}/windows.err err_size)
        if(attempt STREQUAL "first" AND NOT windows_rc EQUAL 0 AND out_size EQUAL 0
                AND err_size EQUAL 0 AND (linux_said OR NOT linux_rc STREQUAL windows_rc))
            math(EXPR reruns "${reruns} + 1")
            message("Wine did not start zodziais.exe for \"${name}\" (exit ${windows_rc}, no output): once more")
            continue()
        endif()
        break()
    endforeach()
    set(differs "")
    if(NOT linux_rc STREQUAL windows_rc)
        string(APPEND differs " exit code ${linux_rc} vs ${windows_rc};")
    endif()
    foreach(stream IN ITEMS out err)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
            ${work}/linux.${stream} ${work}/windows.${stream} RESULT_VARIABLE same)
        if(NOT same EQUAL 0)
            file(READ ${work}/linux.${stream} l LIMIT 300)
            file(READ ${work}/windows.${stream} w LIMIT 300)
            string(APPEND differs " std${stream} differs:\n  linux:   [${l}]\n  windows: [${w}]\n")
        endif()
    endforeach()
    if(differs)
        math(EXPR failures "${failures} + 1")
        message("FAIL ${name}:${differs}")
    else()
        message("ok   ${name} (exit ${linux_rc})")
    endif()
endforeach()

list(LENGTH cases total)
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} of ${total} cases differ (${reruns} re-run after Wine failed to start the program)")
endif()
message("all ${total} cases match (${reruns} re-run after Wine failed to start the program)")
