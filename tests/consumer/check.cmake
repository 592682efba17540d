# Stage an install of the build tree, then configure, build and run the consumer against it.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${KROGUI_BUILD_DIR} --prefix ${WORK_DIR}/stage
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
# The guide's examples that are whole files (they begin with #include and define a function at
# the left margin, such as main) are compiled, each as one file; fragments are left alone.
set(guide_dir ${WORK_DIR}/guide)
file(MAKE_DIRECTORY ${guide_dir})
if(GUIDE_DIR)
  file(GLOB pages ${GUIDE_DIR}/*.md)
  foreach(page ${pages})
    get_filename_component(name ${page} NAME_WE)
    file(READ ${page} text)
    # Semicolons and brackets would split or join CMake list items: hide them while matching.
    string(REPLACE ";" "@SEMI@" text "${text}")
    string(REPLACE "[" "@OPEN@" text "${text}")
    string(REPLACE "]" "@CLOSE@" text "${text}")
    string(REGEX MATCHALL "```cpp\n#include[^`]*```" blocks "${text}")
    set(i 0)
    foreach(block ${blocks})
      math(EXPR i "${i} + 1")
      string(REGEX REPLACE "^```cpp\n" "" block "${block}")
      string(REGEX REPLACE "```$" "" block "${block}")
      string(REGEX MATCH "\n[A-Za-z_][^\n@=]*\\([^\n@]*\\)[ a-z]*\n{" definition "${block}")
      if(NOT definition)
        continue()
      endif()
      string(REPLACE "@SEMI@" ";" block "${block}")
      string(REPLACE "@OPEN@" "[" block "${block}")
      string(REPLACE "@CLOSE@" "]" block "${block}")
      file(WRITE ${guide_dir}/${name}_${i}.cpp "${block}")
    endforeach()
  endforeach()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
                        -DGUIDE_EXAMPLES=${guide_dir}
                        -DCMAKE_PREFIX_PATH=${WORK_DIR}/stage -DCMAKE_CXX_COMPILER=${COMPILER}
                        -DKROGUI_REQUIRE_FORMS=${REQUIRE_FORMS}
                        # A sanitized library needs its runtime in the program that loads it.
                        "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configure of the consumer failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "build of the consumer failed: ${rc}")
endif()
execute_process(COMMAND ${WORK_DIR}/build/consumer RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer ran and failed: ${rc}")
endif()

# The README's example is the program readme_example.cpp, word for word, and it runs.
if(README)
  file(READ ${README} readme)
  file(READ ${CONSUMER_SOURCE_DIR}/readme_example.cpp example)
  string(FIND "${readme}" "```cpp\n${example}```" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "the example in ${README} is not tests/consumer/readme_example.cpp")
  endif()
endif()
execute_process(COMMAND ${WORK_DIR}/build/readme_example RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the README's example ran and failed: ${rc}")
endif()

# The installed gallery runs from the temporary prefix (it finds the library by its run path).
if(EXISTS ${WORK_DIR}/stage/bin/krogui-gallery)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          ${WORK_DIR}/stage/bin/krogui-gallery --screenshot ${WORK_DIR}/shots
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed gallery failed: ${rc}")
  endif()
  file(GLOB shots ${WORK_DIR}/shots/*.png)
  list(LENGTH shots nshots)
  if(nshots LESS 5)
    message(FATAL_ERROR "the installed gallery wrote ${nshots} pictures")
  endif()
endif()

# The installed krogui-render renders the sample form (it finds both libraries by its run path).
if(EXISTS ${WORK_DIR}/stage/bin/krogui-render)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          ${WORK_DIR}/stage/bin/krogui-render ${SAMPLE_FORM} ${WORK_DIR}/form.png
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK_DIR}/form.png)
    message(FATAL_ERROR "the installed krogui-render failed: ${rc}\n${err}")
  endif()
endif()

# A user without CMake: compile with the flags pkg-config gives for the installed krogui.pc.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  file(GLOB_RECURSE pcfile ${WORK_DIR}/stage/krogui.pc)
  get_filename_component(pcdir "${pcfile}" DIRECTORY)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir}
                          ${PKG_CONFIG} --cflags --libs "krogui >= 0.2"
                  OUTPUT_VARIABLE pcflags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know the installed krogui: ${rc}")
  endif()
  separate_arguments(pcflags UNIX_COMMAND "${pcflags}")
  separate_arguments(extra UNIX_COMMAND "${CONSUMER_FLAGS}")
  execute_process(COMMAND ${COMPILER} ${CONSUMER_SOURCE_DIR}/main.cpp ${pcflags} ${extra}
                          -Wl,-rpath,${pcdir}/.. -o ${WORK_DIR}/consumer_pc
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "build with pkg-config flags failed: ${rc}")
  endif()
  execute_process(COMMAND ${WORK_DIR}/consumer_pc RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the pkg-config consumer ran and failed: ${rc}")
  endif()
endif()
