# Installs the build into a scratch prefix and checks the tree as a user's system would see it:
# every file in place and nothing else, the icons at the size their folder claims, the desktop
# file, metainfo and manual pages valid and consistent with one another and with the programs.
#
#   cmake -DCONFIG=<build>/packaging/check-install-config.cmake -P check-install.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT CONFIG)
    message(FATAL_ERROR "usage: cmake -DCONFIG=<check-install-config.cmake> -P ${CMAKE_CURRENT_LIST_FILE}")
endif()
include(${CONFIG})

set(failures 0)
macro(fail)
    message(SEND_ERROR "install tree: " ${ARGN})
    math(EXPR failures "${failures} + 1")
endmacro()

# A tool that a check needs; missing, it fails the test rather than skipping the check.
function(require_program var name package)
    find_program(${var} ${name})
    if(NOT ${var})
        message(FATAL_ERROR "${name} not found: install the Debian package ${package} (./dev deps)")
    endif()
endfunction()

# --- Install -----------------------------------------------------------------------------------

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# A DESTDIR from the caller's environment would put the tree somewhere else.
unset(ENV{DESTDIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

# --- Exactly the expected files ----------------------------------------------------------------

set(app_desktop ${DATADIR}/applications/${APP_ID}.desktop)
set(app_metainfo ${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
set(expected ${app_desktop} ${app_metainfo}
    ${DOCDIR}/LICENSE ${DOCDIR}/copyright ${DOCDIR}/changelog${GZ_SUFFIX})
foreach(program IN LISTS PROGRAMS)
    list(APPEND expected ${BINDIR}/${program})
endforeach()
# The shared library, which zodziais writes its results with (its development link is not here).
list(APPEND expected ${LIBDIR}/libsuma-zodziais.so.1 ${LIBDIR}/libsuma-zodziais.so.${VERSION})
# Where the window looks for its clipboard helper: ../libexec/suma-zodziais beside its own folder.
if(NOT BINDIR STREQUAL "bin" OR NOT LIBEXECDIR STREQUAL "libexec")
    fail("the window finds its clipboard helper only in bin/../libexec, not ${BINDIR}/../${LIBEXECDIR}")
endif()
list(APPEND expected ${LIBEXECDIR}/suma-zodziais/suma-zodziais-clipboard)
if(PAGE)
    list(APPEND expected ${DATADIR}/suma-zodziais/suma-zodziais.html)
endif()
foreach(page IN ITEMS suma-zodziais zodziais)
    list(APPEND expected ${MANDIR}/man1/${page}.1${GZ_SUFFIX})
endforeach()
foreach(size IN LISTS ICON_SIZES)
    list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT expected)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${prefix} ${prefix}/*)
list(SORT installed)

foreach(path IN LISTS expected)
    if(NOT path IN_LIST installed)
        fail("missing ${path}")
    endif()
endforeach()
foreach(path IN LISTS installed)
    if(NOT path IN_LIST expected)
        fail("not expected in the tree: ${path}")
    endif()
endforeach()

foreach(program IN ITEMS suma-zodziais zodziais)
    if(NOT program IN_LIST PROGRAMS)
        fail("the program ${program} is not built, so it is not installed")
    endif()
endforeach()
foreach(program IN LISTS PROGRAMS)
    set(path ${prefix}/${BINDIR}/${program})
    if(EXISTS ${path})
        file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${path}
            RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
        if(unresolved)
            fail("${program} needs libraries that are not found: ${unresolved}")
        endif()
        # An installed program must not reach back into the build tree for its libraries.
        foreach(lib IN LISTS resolved)
            cmake_path(IS_PREFIX BUILD_DIR ${lib} NORMALIZE from_build)
            cmake_path(IS_PREFIX prefix ${lib} NORMALIZE installed)
            if(from_build AND NOT installed)
                fail("${program} loads ${lib} from the build tree")
            endif()
        endforeach()
    endif()
endforeach()

# --- Icons: each one a PNG of the size its folder names ------------------------------------------

foreach(size IN LISTS REQUIRED_ICON_SIZES)
    if(NOT size IN_LIST ICON_SIZES)
        fail("no icon at ${size}x${size}: assets/icons/${size}.png is missing")
    endif()
endforeach()
foreach(size IN LISTS ICON_SIZES)
    set(png ${prefix}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    if(NOT EXISTS ${png})
        continue()
    endif()
    # The signature, then the IHDR chunk: width and height, big-endian, at bytes 16 and 20.
    file(READ ${png} signature LIMIT 8 HEX)
    file(READ ${png} dimensions OFFSET 16 LIMIT 8 HEX)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        fail("${png} is not a PNG file")
        continue()
    endif()
    string(SUBSTRING ${dimensions} 0 8 width)
    string(SUBSTRING ${dimensions} 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        fail("the ${size}x${size} icon is ${width}x${height}")
    endif()
endforeach()

# --- Desktop file ------------------------------------------------------------------------------

require_program(desktop_file_validate desktop-file-validate desktop-file-utils)
set(desktop ${prefix}/${app_desktop})
if(EXISTS ${desktop})
    execute_process(COMMAND ${desktop_file_validate} ${desktop}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    # Hints are advice; errors and warnings are faults.
    if(NOT rc EQUAL 0 OR out MATCHES "(error|warning):")
        fail("desktop-file-validate:\n${out}")
    endif()

    file(STRINGS ${desktop} entries ENCODING UTF-8)
    foreach(key IN ITEMS Name Icon Exec Categories)
        set(${key} "")
        foreach(line IN LISTS entries)
            if(line MATCHES "^${key}=(.*)$")
                set(${key} "${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endforeach()
    if(NOT Name STREQUAL "Suma žodžiais")
        fail("desktop file Name is '${Name}'")
    endif()
    if(NOT Icon STREQUAL APP_ID)
        fail("desktop file Icon is '${Icon}', not the application id ${APP_ID}")
    endif()
    # Exec names a program by its bare name; it must be one that the tree installs.
    string(REGEX REPLACE " .*" "" exec_program "${Exec}")
    if(NOT EXISTS ${prefix}/${BINDIR}/${exec_program})
        fail("desktop file Exec '${Exec}' names no installed program")
    endif()
    foreach(category IN ITEMS Office Finance Utility)
        if(NOT Categories MATCHES "(^|;)${category};")
            fail("desktop file Categories '${Categories}' lack ${category}")
        endif()
    endforeach()
endif()

# --- AppStream metainfo ------------------------------------------------------------------------

require_program(appstreamcli appstreamcli appstream)
set(metainfo ${prefix}/${app_metainfo})
if(EXISTS ${metainfo})
    execute_process(COMMAND ${appstreamcli} validate --no-net --no-color ${metainfo}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        fail("appstreamcli validate:\n${out}")
    endif()

    file(READ ${metainfo} xml)
    if(NOT xml MATCHES "<id>${APP_ID}</id>")
        fail("the metainfo id is not ${APP_ID}")
    endif()
    if(NOT xml MATCHES "<launchable type=\"desktop-id\">([^<]*)</launchable>"
       OR NOT EXISTS ${prefix}/${DATADIR}/applications/${CMAKE_MATCH_1})
        fail("the metainfo launchable names no installed desktop file")
    endif()
    string(REGEX MATCHALL "<binary>[^<]*</binary>" binaries "${xml}")
    foreach(program IN LISTS PROGRAMS)
        if(NOT "<binary>${program}</binary>" IN_LIST binaries)
            fail("the metainfo does not list ${program} among the binaries it provides")
        endif()
    endforeach()
    foreach(binary IN LISTS binaries)
        string(REGEX REPLACE "</?binary>" "" binary "${binary}")
        if(NOT EXISTS ${prefix}/${BINDIR}/${binary})
            fail("the metainfo provides ${binary}, which is not installed")
        endif()
    endforeach()
    if(NOT xml MATCHES "<release version=\"${VERSION}\"")
        fail("the metainfo has no release entry for version ${VERSION}")
    endif()
    if(NOT xml MATCHES "<image[^>]*>https://[^<]*</image>")
        fail("the metainfo has no screenshot with an https address")
    endif()
endif()

# --- Manual pages ------------------------------------------------------------------------------

require_program(groff groff groff-base)
foreach(page IN ITEMS suma-zodziais zodziais)
    set(source ${SOURCE_DIR}/${page}.1)
    # -k: the pages are UTF-8; -ww -z: every warning, no output.
    execute_process(COMMAND ${groff} -k -man -Tutf8 -ww -z ${source}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
        fail("groff finds fault with ${page}.1:\n${out}")
    endif()
    file(STRINGS ${source} title REGEX "^\\.TH " ENCODING UTF-8)
    if(NOT title MATCHES "\"Suma žodžiais ${VERSION}\"")
        fail("${page}.1 is not marked with version ${VERSION}: ${title}")
    endif()
endforeach()

# Every option that zodziais offers in its help is documented in its page.
set(zodziais ${prefix}/${BINDIR}/zodziais)
if(EXISTS ${zodziais})
    execute_process(COMMAND ${zodziais} --help
        RESULT_VARIABLE rc OUTPUT_VARIABLE help ERROR_VARIABLE help)
    if(NOT rc EQUAL 0)
        fail("the installed zodziais --help failed (${rc}):\n${help}")
    endif()
    file(READ ${SOURCE_DIR}/zodziais.1 page)
    string(REGEX MATCHALL "(^|[ ,\t\n\\[])--[a-z][a-z-]*" options "${help}")
    if(NOT options)
        fail("zodziais --help shows no long options:\n${help}")
    endif()
    foreach(option IN LISTS options)
        string(REGEX MATCH "--[a-z][a-z-]*" option "${option}")
        string(REPLACE "-" "\\-" roff_option "${option}")
        string(FIND "${page}" "${roff_option}" at)
        if(at EQUAL -1)
            fail("zodziais.1 does not document ${option}")
        endif()
    endforeach()

    # The installed program works from its installed place.
    execute_process(COMMAND ${zodziais} --locale lt_LT 12
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "Dvylika Lt\n")
        fail("the installed zodziais --locale lt_LT 12 gave (${rc}) '${out}' ${err}")
    endif()
endif()

if(failures GREATER 0)
    message(FATAL_ERROR "install tree under ${prefix}: ${failures} fault(s)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "install tree: all checks passed")
