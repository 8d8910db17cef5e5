# Fails unless every catalogue in PO_DIR holds exactly the sentences of the
# program: every sentence the sources say, translated and not fuzzy, and no
# sentence the sources no longer say. The sentences are read from the
# sources with xgettext, as the messages_template target does.
find_program(MSGCMP msgcmp REQUIRED)
set(OUTPUT ${WORK_DIR}/earshot.pot)
include(${PO_DIR}/extract_messages.cmake)

file(GLOB catalogues ${PO_DIR}/*.po)
list(LENGTH catalogues count)
if(count EQUAL 0)
  message(FATAL_ERROR "No catalogue in ${PO_DIR}")
endif()
set(faults "")
foreach(catalogue IN LISTS catalogues)
  get_filename_component(language ${catalogue} NAME_WE)
  # Every sentence of the sources has a translation in the catalogue.
  execute_process(COMMAND ${MSGCMP} ${catalogue} ${OUTPUT}
                  RESULT_VARIABLE missing ERROR_VARIABLE missing_report)
  if(NOT missing EQUAL 0)
    string(APPEND faults "\n${language}: sentences without a translation:\n${missing_report}")
  endif()
  # Every sentence of the catalogue is still said somewhere.
  execute_process(COMMAND ${MSGCMP} --use-untranslated ${OUTPUT} ${catalogue}
                  RESULT_VARIABLE stale ERROR_VARIABLE stale_report)
  if(NOT stale EQUAL 0)
    string(APPEND faults "\n${language}: sentences the program no longer says:\n${stale_report}")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "The catalogues differ from the program's sentences:${faults}")
endif()
file(STRINGS ${OUTPUT} ids REGEX "^msgid ")
list(LENGTH ids id_count)
message(STATUS "${count} catalogues checked against ${id_count} message ids (with the header).")
