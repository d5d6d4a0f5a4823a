# Builds the Debian package into a scratch folder and checks its name, version, Depends and
# file list. Arguments: -DBUILD_DIR=<build tree> -DAPPDIR=<program folder under /usr>
# -DVERSION=<project version> -DDPKG_DEB=<dpkg-deb>
set(out "${BUILD_DIR}/package-test")
file(REMOVE_RECURSE "${out}")
execute_process(COMMAND cpack -G DEB -B "${out}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB packages "${out}/*.deb")
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack failed (${status}): ${log}")
endif()
list(GET packages 0 package)

function(field name result)
    execute_process(COMMAND ${DPKG_DEB} -f "${package}" ${name} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(${result} "${value}" PARENT_SCOPE)
endfunction()
field(Package name)
field(Version version)
field(Depends depends)
if(NOT name STREQUAL "tarvik" OR NOT version STREQUAL "${VERSION}")
    message(FATAL_ERROR "package ${name} ${version}, not tarvik ${VERSION}")
endif()
# Depends comes from the programs' libraries: the C++ runtime and Qt's widgets and SVG.
foreach(library libc6 libstdc\\+\\+6 libqt6widgets6 libqt6svg6 libqt6gui6 libqt6core6)
    if(NOT depends MATCHES "(^|, )${library}( |,|$)")
        message(FATAL_ERROR "Depends lacks ${library}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} -c "${package}" OUTPUT_VARIABLE listing)
foreach(path
        ./usr/${APPDIR}/tarvik ./usr/${APPDIR}/tarvik-cli ./usr/bin/tarvik ./usr/bin/tarvik-cli
        ./usr/${APPDIR}/help/index.htm ./usr/${APPDIR}/help/en/index.htm
        ./usr/${APPDIR}/Examples/sinusoida.tvk ./usr/share/applications/tarvik.desktop
        ./usr/share/icons/hicolor/scalable/apps/tarvik.svg ./usr/share/mime/packages/tarvik.xml
        ./usr/share/metainfo/org.tarvik.Tarvik.metainfo.xml ./usr/share/man/man1/tarvik.1
        ./usr/share/man/man1/tarvik-cli.1)
    string(REPLACE "+" "\\+" pattern "${path}")
    if(NOT listing MATCHES " ${pattern}( -> [^\n]*)?\n")
        message(FATAL_ERROR "the package lacks ${path}:\n${listing}")
    endif()
endforeach()
# The links in bin lead to the programs beside help and Examples.
if(NOT listing MATCHES " ./usr/bin/tarvik -> \\.\\./${APPDIR}/tarvik\n")
    message(FATAL_ERROR "usr/bin/tarvik is not a link to the program:\n${listing}")
endif()
file(REMOVE_RECURSE "${out}")
message(STATUS "package ${name} ${version} checked; Depends: ${depends}")
