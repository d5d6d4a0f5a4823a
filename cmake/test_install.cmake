# Installs the build into a scratch folder (DESTDIR) and checks what lands where.
# Arguments: -DBUILD_DIR=<build tree> -DAPPDIR=<program folder under the prefix>
#            -DMETAINFO_ID=<the software centre's id>
set(stage "${BUILD_DIR}/install-test")
set(prefix "/opt/tarvik")
file(REMOVE_RECURSE "${stage}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(root "${stage}${prefix}")

function(require_file path)
    if(NOT EXISTS "${root}/${path}" OR IS_DIRECTORY "${root}/${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endfunction()

foreach(path
        ${APPDIR}/tarvik ${APPDIR}/tarvik-cli ${APPDIR}/help/index.htm ${APPDIR}/help/style.css
        ${APPDIR}/help/en/index.htm
        ${APPDIR}/Examples/sinusoida.tvk ${APPDIR}/Examples/faktorial.tvk
        share/applications/tarvik.desktop share/icons/hicolor/256x256/apps/tarvik.png
        share/icons/hicolor/scalable/apps/tarvik.svg share/mime/packages/tarvik.xml
        share/metainfo/${METAINFO_ID}.metainfo.xml share/man/man1/tarvik.1
        share/man/man1/tarvik-cli.1)
    require_file(${path})
endforeach()

# The links in bin/ lead to the program files beside help/ and Examples/.
foreach(program tarvik tarvik-cli)
    if(NOT IS_SYMLINK "${root}/bin/${program}")
        message(FATAL_ERROR "bin/${program} is not a link")
    endif()
    file(REAL_PATH "${root}/bin/${program}" target)
    file(REAL_PATH "${root}/${APPDIR}/${program}" expected)
    if(NOT target STREQUAL expected)
        message(FATAL_ERROR "bin/${program} leads to ${target}, not ${expected}")
    endif()
endforeach()

file(GLOB help_pages "${root}/${APPDIR}/help/*.htm")
list(LENGTH help_pages help_count)
file(GLOB examples "${root}/${APPDIR}/Examples/*.tvk")
list(LENGTH examples example_count)
if(help_count LESS 2 OR example_count LESS 10)
    message(FATAL_ERROR "help pages: ${help_count}, examples: ${example_count}")
endif()
# The English pages beside the Russian ones, one for each.
file(GLOB english_pages "${root}/${APPDIR}/help/en/*.htm")
list(LENGTH english_pages english_count)
if(NOT english_count EQUAL help_count)
    message(FATAL_ERROR "help pages: ${help_count} Russian, ${english_count} English")
endif()

file(READ "${root}/share/applications/tarvik.desktop" desktop)
if(NOT desktop MATCHES "\nExec=tarvik %f\n" OR NOT desktop MATCHES "\nIcon=tarvik\n" OR
   NOT desktop MATCHES "\nMimeType=application/x-tarvik-function;application/x-tarvik-curves;\n")
    message(FATAL_ERROR "the desktop entry does not open files of its types in tarvik")
endif()

# The desktop's own checkers pass the desktop entry and the software centre's description
# without an error.
function(require_tool_passes name)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name} failed (${status}): ${out}")
    endif()
endfunction()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
require_tool_passes(desktop-file-validate ${DESKTOP_FILE_VALIDATE}
                    "${root}/share/applications/tarvik.desktop")
require_tool_passes(appstreamcli ${APPSTREAMCLI} validate --no-net
                    "${root}/share/metainfo/${METAINFO_ID}.metainfo.xml")

# The MIME package names both types with their patterns; update-mime-database reads it.
file(READ "${root}/share/mime/packages/tarvik.xml" mime)
foreach(pair "application/x-tarvik-function;*.tvk" "application/x-tarvik-curves;*.tvkset")
    list(GET pair 0 type)
    list(GET pair 1 glob)
    if(NOT mime MATCHES "type=\"${type}\"" OR NOT mime MATCHES "pattern=\"\\${glob}\"")
        message(FATAL_ERROR "the MIME package lacks ${type} (${glob})")
    endif()
endforeach()
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
    require_tool_passes(update-mime-database ${UPDATE_MIME_DATABASE} "${root}/share/mime")
    if(NOT EXISTS "${root}/share/mime/application/x-tarvik-function.xml")
        message(FATAL_ERROR "update-mime-database made no entry for application/x-tarvik-function")
    endif()
endif()

# The manual pages carry the project's version; they are plain troff (not compressed) and in
# English only, whatever the interface language.
foreach(page tarvik tarvik-cli)
    if(EXISTS "${root}/share/man/man1/${page}.1.gz")
        message(FATAL_ERROR "${page}.1 is installed compressed")
    endif()
    file(READ "${root}/share/man/man1/${page}.1" manual)
    if(NOT manual MATCHES "^\\.TH ")
        message(FATAL_ERROR "${page}.1 is not a troff page")
    endif()
    if(NOT manual MATCHES "\"Tarvik ${VERSION}\"")
        message(FATAL_ERROR "${page}.1 does not name version ${VERSION}")
    endif()
    # Cyrillic letters begin with the UTF-8 lead bytes D0 and D1.
    string(ASCII 208 lead_d0)
    string(ASCII 209 lead_d1)
    string(FIND "${manual}" "${lead_d0}" at_d0)
    string(FIND "${manual}" "${lead_d1}" at_d1)
    if(NOT at_d0 EQUAL -1 OR NOT at_d1 EQUAL -1)
        message(FATAL_ERROR "${page}.1 is not in English only")
    endif()
endforeach()

# The installed companion runs through its link and draws an installed example.
execute_process(COMMAND "${root}/bin/tarvik-cli" render --load
                        "${root}/${APPDIR}/Examples/sinusoida.tvk" -o "${stage}/example.png"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS "${stage}/example.png")
    message(FATAL_ERROR "installed tarvik-cli failed (${status}): ${errors}")
endif()
file(REMOVE_RECURSE "${stage}")
message(STATUS "install layout checked under ${root}")
