# Installs COMPONENTS into a scratch prefix, builds the consumer project
# against it and runs each of its PROGRAMS.
# COMPONENTS and PROGRAMS are comma-separated.
string(REPLACE "," ";" COMPONENTS "${COMPONENTS}")
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
endfunction()

foreach(component IN LISTS COMPONENTS)
  step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component ${component})
  if(NOT EXISTS ${prefix}/include/${component}.h)
    message(FATAL_ERROR "${component}.h was not installed")
  endif()
endforeach()
file(GLOB_RECURSE pc_files ${prefix}/*/setstore.pc)
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})

step(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${C_COMPILER}
  "-DCMAKE_C_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}")
step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
foreach(program IN LISTS PROGRAMS)
  step(${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK_DIR}/home SETSTORE_INSTANCE=${INSTANCE}.${program}
    ${WORK_DIR}/build/${program})
endforeach()
