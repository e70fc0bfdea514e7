# Feeds every SQL file, in name order, to the sqlite3 shell into one new database file.
foreach(sql IN LISTS SQL)
  execute_process(COMMAND ${SQLITE3} -bail ${OUT} INPUT_FILE ${sql} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "sqlite3 failed on ${sql}: ${err}")
  endif()
endforeach()
