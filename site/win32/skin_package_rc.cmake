# cmake -P script: writes the resource script of one skin package.
#   -DSKIN_FOLDER=<drawn skin folder> -DSKIN_NAME=<its name> -DOUTPUT=<.rc>
# The files of the folder are known only once the images are drawn, so the
# script is written at build time.
file(GLOB skin_files RELATIVE ${SKIN_FOLDER} ${SKIN_FOLDER}/*)
list(SORT skin_files)
if(NOT skin_files)
    message(FATAL_ERROR "no files in ${SKIN_FOLDER}")
endif()
set(text "STRINGTABLE\nBEGIN\n    1 \"${SKIN_NAME}\"\nEND\n")
foreach(name ${skin_files})
    string(TOUPPER ${name} resource)
    # Unquoted: windres joins a quoted name to the file name before it.
    string(APPEND text "${resource} RCDATA \"${SKIN_FOLDER}/${name}\"\n")
endforeach()
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
