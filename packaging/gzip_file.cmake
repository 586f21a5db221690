# cmake -DIN=<file> -DOUT=<file.gz> -P gzip_file.cmake: compresses a manual
# page or a changelog as Debian keeps them, gzip -9n: no name and no time in
# the header, so the same text always gives the same bytes.
get_filename_component(folder ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND gzip -9nc ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "gzip ${IN}: ${failed}")
endif()
