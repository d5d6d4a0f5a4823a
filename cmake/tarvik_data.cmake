# The help pages (the Russian ones in help/, the English ones in help/en/) and the examples
# beside the program, in the build tree and when installed.
#
# The program looks for help/ and Examples/ in its own folder. In the build tree that folder is
# bin/, so both are copied there at build time. An installed tree keeps the program files with
# help/ and Examples/ in lib/tarvik/ and links them from bin/; the program resolves the link and
# finds its folders beside the real file.

set(TARVIK_INSTALL_APPDIR "lib/tarvik" CACHE STRING
    "Folder under the prefix for the program files, help/ and Examples/")

add_custom_target(tarvik_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/Examples
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Examples
    COMMENT "Copying help/ and Examples/ beside the program")
foreach(target tarvik tarvik-cli tarvik_ui_tests)
    if(TARGET ${target})
        add_dependencies(${target} tarvik_data)
    endif()
endforeach()

set(tarvik_programs)
foreach(target tarvik tarvik-cli)
    if(TARGET ${target})
        list(APPEND tarvik_programs ${target})
    endif()
endforeach()
install(TARGETS ${tarvik_programs} RUNTIME DESTINATION ${TARVIK_INSTALL_APPDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${TARVIK_INSTALL_APPDIR}/help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Examples/ DESTINATION ${TARVIK_INSTALL_APPDIR}/Examples)
foreach(program ${tarvik_programs})
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK \"../${TARVIK_INSTALL_APPDIR}/${program}\" \"\${link}\" SYMBOLIC)
        message(STATUS \"Linking: \${link}\")")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/tarvik.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/tarvik.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/tarvik.svg DESTINATION share/icons/hicolor/scalable/apps)

# The file types, the software centre's description and the manual pages, with the version of
# the project.
set(TARVIK_METAINFO_ID "org.tarvik.Tarvik")
set(tarvik_generated_data "${PROJECT_BINARY_DIR}/data")
configure_file(${PROJECT_SOURCE_DIR}/data/${TARVIK_METAINFO_ID}.metainfo.xml.in
               ${tarvik_generated_data}/${TARVIK_METAINFO_ID}.metainfo.xml @ONLY)
foreach(page tarvik tarvik-cli)
    configure_file(${PROJECT_SOURCE_DIR}/data/man/${page}.1.in ${tarvik_generated_data}/${page}.1
                   @ONLY)
    install(FILES ${tarvik_generated_data}/${page}.1 DESTINATION share/man/man1)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/tarvik-mime.xml DESTINATION share/mime/packages
        RENAME tarvik.xml)
install(FILES ${tarvik_generated_data}/${TARVIK_METAINFO_ID}.metainfo.xml
        DESTINATION share/metainfo)

# An install into a scratch folder: the layout, the links, and the installed companion running
# through its link with an example found beside it.
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
    add_test(NAME install.Layout
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DAPPDIR=${TARVIK_INSTALL_APPDIR} -DMETAINFO_ID=${TARVIK_METAINFO_ID}
                     -DVERSION=${PROJECT_VERSION}
                     -P ${PROJECT_SOURCE_DIR}/cmake/test_install.cmake)
endif()
