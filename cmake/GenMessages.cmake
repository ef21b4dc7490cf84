# Concatenates the table files of DIR (sorted by name) into OUT: as one raw string literal of
# C++ (the English table compiled into every deliverable), or with -DMODULE=ON as a plain
# language module file read at run time.
file(GLOB files ${DIR}/*.txt)
list(SORT files)
set(body "")
foreach(f ${files})
  file(READ ${f} content)
  string(APPEND body "${content}\n")
endforeach()
if(MODULE)
  file(WRITE ${OUT}.tmp "${body}")
else()
  file(WRITE ${OUT}.tmp "// Generated from resources/messages/eng: do not edit.\nextern const char kCvMessageTableEng[];\nconst char kCvMessageTableEng[] = R\"CVMSGTABLE(${body})CVMSGTABLE\";\n")
endif()
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
