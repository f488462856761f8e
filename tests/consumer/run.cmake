# The consumer test: installs the build into a prefix inside it, then configures and builds the
# consumer project against that prefix twice, once through find_package(KelUI) and once through
# pkg-config (kel-ui.pc), and runs what it built.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DCXX=... -DGENERATOR=...
#         [-DSOVERSION=...] -P run.cmake
foreach(var BUILD_DIR WORK_DIR CONSUMER_DIR CXX GENERATOR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}")
  endif()
  message(STATUS "${what}: done")
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The libraries are installed under their SONAME, which the programs linked to them ask for.
if(DEFINED SOVERSION AND NOT WIN32)
  foreach(library kel-ui kel_host)
    file(GLOB found ${prefix}/lib*/lib${library}.so.${SOVERSION})
    if(NOT found)
      message(FATAL_ERROR "lib${library}.so.${SOVERSION} is not installed")
    endif()
  endforeach()
endif()

# find_package(KelUI)
run("configure the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
run("build the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/cmake)
run("run the consumer" ${WORK_DIR}/cmake/consumer ${WORK_DIR}/cmake/menu.svg)
message(STATUS "${output}")

# pkg-config
find_program(PKG_CONFIG pkg-config)
if(NOT PKG_CONFIG)
  message(STATUS "pkg-config is not installed: the kel-ui.pc build is left out")
  return()
endif()
file(GLOB pcdirs ${prefix}/lib*/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "${pcdirs}")
run("pkg-config" ${PKG_CONFIG} --variable=datadir kel-ui)
string(STRIP "${output}" datadir)
run("pkg-config" ${PKG_CONFIG} --cflags --libs kel-ui)
separate_arguments(flags UNIX_COMMAND "${output}")
string(REGEX MATCH "-L[^ \n]+" libdir "${output}")
string(SUBSTRING "${libdir}" 2 -1 libdir)
file(MAKE_DIRECTORY ${WORK_DIR}/pc)
run("build the consumer with pkg-config" ${CXX} -std=c++17 "-DKEL_INSTALLED_DATA=\"${datadir}\""
    ${CONSUMER_DIR}/main.cpp -o ${WORK_DIR}/pc/consumer ${flags} -Wl,-rpath,${libdir})
run("run the pkg-config consumer" ${WORK_DIR}/pc/consumer ${WORK_DIR}/pc/menu.svg)
