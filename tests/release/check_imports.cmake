cmake_minimum_required(VERSION 3.20)
# The shipped binaries must run on a bare Windows: they may import only DLLs that come with
# it (and tallywick.exe its own HOOK.dll). Reads the import tables with objdump -p.
#   cmake -DOBJDUMP=... -DPROGRAM=tallywick.exe -DHOOK=HOOK.dll -P check_imports.cmake
set(WINDOWS_DLLS advapi32.dll bcrypt.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
  ole32.dll setupapi.dll shell32.dll user32.dll)

function(check_imports binary allowed)
  execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump could not read ${binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
  if(NOT lines)
    message(FATAL_ERROR "${binary}: no import table found")
  endif()
  set(imports "")
  foreach(line ${lines})
    string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
    string(TOLOWER "${dll}" dll)
    list(APPEND imports ${dll})
    if(NOT dll IN_LIST allowed)
      message(SEND_ERROR "${binary} imports ${dll}, which does not come with Windows")
    endif()
  endforeach()
  message(STATUS "${binary}: ${imports}")
endfunction()

check_imports(${PROGRAM} "${WINDOWS_DLLS};hook.dll")
check_imports(${HOOK} "${WINDOWS_DLLS}")
