# The plug-in DLL exports exactly the host interface, under undecorated names:
#   cmake -DOBJDUMP=... -DDLL=LVDRIVER.DLL -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" lines "${table}")
set(entries)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${line}")
    list(APPEND entries "${name}")
endforeach()
set(expected CloseHardwarePort ExecutePluginFunctionByName ExecutePluginFunctionByNumber GetLastErrorText
    GetPluginSupportInfo OpenHardwarePort SendPacket)
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "exports: ${entries}\nexpected: ${expected}")
endif()
message(STATUS "exports: ${entries}")
