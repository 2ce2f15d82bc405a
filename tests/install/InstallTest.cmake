# Installs the build into a fresh prefix, builds host projects against the
# installed package and checks what they print against the programs of the
# build (cmake -P, see tests/CMakeLists.txt).
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

# Both outputs of one input must be the same.
function(expect_same_output what ours theirs)
  if(NOT ours STREQUAL theirs)
    message(FATAL_ERROR "${what}: the host printed\n${ours}\nthe build's program\n${theirs}")
  endif()
endfunction()

run_step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The host sources, "|"-separated: a list would be split on its way through run_step.
set(hosts "${SOURCE_DIR}/examples/table_host.cpp|${SOURCE_DIR}/examples/estimate_host.cpp|${SOURCE_DIR}/tests/install/threads_host.cpp")
run_step(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install -B ${WORK_DIR}/host
         -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DREQUIRED_VERSION=1.0
         "-DHOST_SOURCES=${hosts}" "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}")
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/host)

# Each hand holds a whole suit: 7S by North-South is par (hand analysis).
run_step(${WORK_DIR}/host/table_host)
if(NOT step_output MATCHES "par 1510: 7S-NS")
  message(FATAL_ERROR "unexpected table example output:\n${step_output}")
endif()

# The inherited per-card example prints what the build's copy prints.
set(bridge_position 431144221342441423232114312331231221244342411133324340010)
foreach(arguments "${bridge_position}" "${bridge_position};SQ")
  run_step(${WORK_DIR}/host/estimate_host ${arguments})
  set(installed "${step_output}")
  run_step(${BUILD_DIR}/estimate_host ${arguments})
  expect_same_output("estimate_host ${arguments}" "${installed}" "${step_output}")
endforeach()

# Two solvers of each game on two threads give the program's answers: a
# bridge deal, and preferans positions with none, one and two cards on the
# trick, misere among them.
foreach(position ${bridge_position}
                 142107210272344441122864822212241442400441121243204403100
                 124124124860140022112620631121442413614481644214145231001
                 252211447331242114401117012112421466540443412227403500101
                 241224402284714124412803051214121115464144202420462811101)
  run_step(${WORK_DIR}/host/threads_host ${position})
  set(installed "${step_output}")
  run_step(${BUILD_DIR}/ddsolver ${position})
  expect_same_output("threads_host ${position}" "${installed}" "${step_output}")
endforeach()

# A host asking for a version newer than the package is refused.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/install -B ${WORK_DIR}/newer
                -DCMAKE_PREFIX_PATH=${prefix} -DREQUIRED_VERSION=1.2 "-DHOST_SOURCES="
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(result EQUAL 0)
  message(FATAL_ERROR "find_package(ddsolver 1.2) accepted version 1.0")
endif()
message(STATUS "installed package builds the hosts, and they print what the build prints")
