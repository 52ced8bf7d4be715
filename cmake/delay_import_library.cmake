# Makes a MinGW delay-import library from the toolchain's import library of
# a system DLL (run with cmake -P): the functions the import library names
# go into a .def file, which dlltool turns into a library whose calls load
# the DLL on first use.
#
#   -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=libuser32.a -DDLL=user32.dll
#   -DOUTPUT=libuser32_delay.a

execute_process(COMMAND "${NM}" --defined-only "${IMPORT_LIBRARY}"
    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${NM} could not read ${IMPORT_LIBRARY}")
endif()
# Each function of an import library has a code symbol (the jump to the
# import); data the DLL exports has none and cannot be delay-loaded.
string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\r\n]+" functions "${symbols}")
set(def "LIBRARY \"${DLL}\"\nEXPORTS\n")
foreach(line IN LISTS functions)
    string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" name "${line}")
    string(APPEND def "${name}\n")
endforeach()
list(LENGTH functions count)
if(count EQUAL 0)
    message(FATAL_ERROR "${IMPORT_LIBRARY} names no functions")
endif()
file(WRITE "${OUTPUT}.def" "${def}")
execute_process(COMMAND "${DLLTOOL}" --input-def "${OUTPUT}.def" --dllname "${DLL}"
    --output-delaylib "${OUTPUT}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${DLLTOOL} could not make ${OUTPUT}")
endif()
