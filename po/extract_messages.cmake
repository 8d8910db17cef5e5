# Writes OUTPUT, the template of every sentence the game says, from the
# program's sources under SOURCE_DIR: the texts given to Form1::tr and
# marked with `sentence`. Run by the messages_template target and by the
# test that compares it with every catalogue.
find_program(XGETTEXT xgettext REQUIRED)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/game/*.cpp" "${SOURCE_DIR}/game/*.h"
     "${SOURCE_DIR}/input/*.cpp" "${SOURCE_DIR}/input/*.h"
     "${SOURCE_DIR}/audio/*.cpp" "${SOURCE_DIR}/audio/*.h"
     "${SOURCE_DIR}/speech/*.cpp" "${SOURCE_DIR}/speech/*.h"
     "${SOURCE_DIR}/runtime/*.cpp" "${SOURCE_DIR}/runtime/*.h")
list(SORT sources)
execute_process(
  COMMAND "${XGETTEXT}" --language=C++ --from-code=UTF-8 --keyword --keyword=tr --keyword=sentence
          --package-name=earshot --sort-output --output=${OUTPUT} ${sources}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xgettext could not read the sentences from the sources")
endif()
