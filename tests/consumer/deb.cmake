# Build the Debian package from the build tree and check what it holds and declares.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND cpack -G DEB --config ${KROGUI_BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${rc}\n${out}")
endif()
file(GLOB debs ${WORK_DIR}/krogui_*.deb)
list(LENGTH debs ndebs)
if(NOT ndebs EQUAL 1)
  message(FATAL_ERROR "expected one krogui_*.deb in ${WORK_DIR}, found ${ndebs}")
endif()
execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed: ${rc}")
endif()
foreach(pattern
    " ./usr/lib/[a-z0-9_/-]*libkrogui_rt\\.so\\.${VERSION}\n"
    " ./usr/lib/[a-z0-9_/-]*libkrogui_rt\\.so -> "
    " ./usr/include/krogui/core/control\\.h\n"
    " ./usr/include/krogui/gauges/meter\\.h\n"
    " ./usr/lib/[a-z0-9_/-]*cmake/KroGui/KroGuiConfig\\.cmake\n"
    " ./usr/lib/[a-z0-9_/-]*cmake/KroGui/KroGuiConfigVersion\\.cmake\n"
    " ./usr/lib/[a-z0-9_/-]*pkgconfig/krogui\\.pc\n"
    " ./usr/bin/krogui-gallery\n")
  if(NOT listing MATCHES "${pattern}")
    message(FATAL_ERROR "the package lacks ${pattern}; it holds:\n${listing}")
  endif()
endforeach()
# Form loading, krogui-render and the Designer plugin, where Designer looks for plugins.
set(form_patterns)
if(WITH_FORMS)
  list(APPEND form_patterns
    " ./usr/lib/[a-z0-9_/-]*libkrogui_forms\\.so\\.${VERSION}\n"
    " ./usr/include/krogui/forms/formloader\\.h\n"
    " ./usr/lib/[a-z0-9_/-]*cmake/KroGui/KroGuiFormsTargets\\.cmake\n"
    " ./usr/bin/krogui-render\n")
endif()
if(WITH_DESIGNER)
  list(APPEND form_patterns " ./usr/lib/[a-z0-9_/-]*qt6/plugins/designer/libkrogui_designer\\.so\n")
endif()
foreach(pattern ${form_patterns})
  if(NOT listing MATCHES "${pattern}")
    message(FATAL_ERROR "the package lacks ${pattern}; it holds:\n${listing}")
  endif()
endforeach()
# Internal headers stay out of the package.
if(listing MATCHES "_p\\.h\n")
  message(FATAL_ERROR "the package holds private headers:\n${listing}")
endif()
execute_process(COMMAND dpkg-deb -f ${debs} Package Version Depends OUTPUT_VARIABLE fields)
set(fields_wanted "Package: krogui" "Version: ${VERSION}" "libqt6widgets6")
if(WITH_FORMS)
  list(APPEND fields_wanted "libqt6uitools6")
endif()
foreach(field ${fields_wanted})
  string(FIND "${fields}" "${field}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package control lacks '${field}':\n${fields}")
  endif()
endforeach()
