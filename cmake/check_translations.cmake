# Runs lupdate over the sources into a copy of a translation catalogue and fails when a text is
# left without a finished translation (a new text, or one changed in the sources).
#   cmake -DLUPDATE=... -DSOURCES=<folder>[:<folder>...] -DINCLUDE=<folder> -DCATALOGUE=<file.ts>
#         -DWORK=<folder> -P check_translations.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${CATALOGUE} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${CATALOGUE} ${copy})
string(REPLACE ":" ";" folders "${SOURCES}")
execute_process(COMMAND ${LUPDATE} -silent -no-obsolete -locations none -I ${INCLUDE} ${folders}
                        -ts ${copy}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${status})")
endif()
file(READ ${copy} text)
string(REGEX MATCHALL "<source>[^<]*</source>[ \r\n]*<translation type=\"unfinished\">"
       unfinished "${text}")
list(LENGTH unfinished count)
if(count GREATER 0)
    message(FATAL_ERROR "${count} text(s) without a finished translation:\n${unfinished}")
endif()
string(REGEX MATCHALL "<message>" messages "${text}")
list(LENGTH messages total)
if(total EQUAL 0)
    message(FATAL_ERROR "no translatable text found in ${SOURCES}")
endif()
message(STATUS "${total} text(s), all translated")
