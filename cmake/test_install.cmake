# Installs the build into a scratch folder (DESTDIR) and checks what lands where.
# Arguments: -DBUILD_DIR=<build tree> -DAPPDIR=<program folder under the prefix>
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
        share/icons/hicolor/scalable/apps/tarvik.svg)
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
if(NOT desktop MATCHES "\nExec=tarvik\n" OR NOT desktop MATCHES "\nIcon=tarvik\n")
    message(FATAL_ERROR "the desktop entry does not start tarvik with its icon")
endif()

# The installed companion runs through its link and draws an installed example.
execute_process(COMMAND "${root}/bin/tarvik-cli" render --load
                        "${root}/${APPDIR}/Examples/sinusoida.tvk" -o "${stage}/example.png"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS "${stage}/example.png")
    message(FATAL_ERROR "installed tarvik-cli failed (${status}): ${errors}")
endif()
file(REMOVE_RECURSE "${stage}")
message(STATUS "install layout checked under ${root}")
