# Installs the build into a fresh prefix, builds the host project against the
# installed package and runs the example (cmake -P, see tests/CMakeLists.txt).
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run_step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN}\n${output}")
  endif()
  set(step_output "${output}" PARENT_SCOPE)
endfunction()

run_step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run_step(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install -B ${WORK_DIR}/host
         -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
         -DEXAMPLE_SOURCE=${SOURCE_DIR}/examples/table_host.cpp
         "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}")
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/host)
run_step(${WORK_DIR}/host/table_host)
# Each hand holds a whole suit: 7S by North-South is par (hand analysis).
if(NOT step_output MATCHES "par 1510: 7S-NS")
  message(FATAL_ERROR "unexpected example output:\n${step_output}")
endif()
message(STATUS "installed package builds and runs the example")
