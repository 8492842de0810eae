# A scripted run of the bench in a process of its own, with no display and a
# settings folder of its own, checked by its exit code and by lines its
# report must hold; the operator's saved inputs must not appear.
#   cmake -DBENCH=<exe> -DSCRIPT=<file> -DDRIVERS=<dir> -DHOME=<dir> -DEXIT=<code>
#         [-DREPORT=<file>] [-DEXPECT=<text>|<text>...] -P script_run_check.cmake
foreach(required BENCH SCRIPT DRIVERS HOME EXIT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is not given")
  endif()
endforeach()
file(REMOVE_RECURSE "${HOME}")
file(MAKE_DIRECTORY "${HOME}/config" "${HOME}/data")
set(arguments --run "${SCRIPT}")
if(REPORT)
  file(REMOVE "${REPORT}")
  list(APPEND arguments --report "${REPORT}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY
    "LK40_DRIVER_PATH=${DRIVERS}" "XDG_CONFIG_HOME=${HOME}/config" "XDG_DATA_HOME=${HOME}/data"
    LK40_SIM_NO_DELAY=1 "${BENCH}" ${arguments}
  RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
if(REPORT)
  file(READ "${REPORT}" output)
endif()
if(NOT code STREQUAL EXIT)
  message(FATAL_ERROR "exit code ${code}, expected ${EXIT}\n${errors}\n${output}")
endif()
string(REPLACE "|" ";" expected "${EXPECT}")
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the report lacks \"${line}\"\n${output}")
  endif()
endforeach()
if(EXISTS "${HOME}/config/lk40-drvtest/HKEY_CURRENT_USER.reg")
  message(FATAL_ERROR "a scripted run saved the operator's inputs")
endif()
message(STATUS "exit code ${code}")
