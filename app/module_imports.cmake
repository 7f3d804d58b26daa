# Writes the linker's dynamic list for the program: the symbols the window module
# takes from it (its undefined symbols without a library version), so the program
# exports those and nothing else.
#   cmake -DNM=nm -DMODULE=lumiscope-window.so -DOUT=exports.list -P module_imports.cmake
execute_process(COMMAND ${NM} -D --undefined-only ${MODULE} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list the imports of ${MODULE}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(list "{\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^ *U ([^@ ]+)$")
    string(APPEND list "  ${CMAKE_MATCH_1};\n")
  endif()
endforeach()
string(APPEND list "};\n")
# Rewritten only when it changes, so an unchanged module does not relink the program.
file(WRITE ${OUT}.new "${list}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
