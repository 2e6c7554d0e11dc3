# zvset_wine_pair(NAME PROBE sources... SIM sources... [SIM_LIBS libs...]
#                 [DIALOGS] [SCRIPT script] [TIMEOUT seconds])
#
# One scenario built twice: NAME_probe.exe in the Windows builds runs it on
# the real API under Wine, NAME_sim in the simulator build runs it on the
# simulated machine, and the test wine.NAME (SCRIPT, compare.sh by default)
# runs both and compares what each left. DIALOGS: the probe starts through
# the program's own Windows entry point, with the program's resources.
function(zvset_wine_pair name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "DIALOGS" "SCRIPT;TIMEOUT" "PROBE;SIM;SIM_LIBS")
  if(ZVSET_WINDOWS)
    if(arg_DIALOGS)
      add_executable(${name}_probe WIN32 ${PROJECT_SOURCE_DIR}/src/platform/win32/winmain.cpp
                     ${arg_PROBE} ${PROJECT_SOURCE_DIR}/res/zvset.rc)
      target_include_directories(${name}_probe PRIVATE ${PROJECT_SOURCE_DIR}/res)
    else()
      add_executable(${name}_probe ${arg_PROBE})
    endif()
    target_link_libraries(${name}_probe PRIVATE zvprogram)
    set_target_properties(${name}_probe PROPERTIES SUFFIX ".exe")
  else()
    if(NOT arg_SCRIPT)
      set(arg_SCRIPT compare.sh)
    endif()
    if(NOT arg_TIMEOUT)
      set(arg_TIMEOUT 300)
    endif()
    add_executable(${name}_sim ${arg_SIM})
    target_link_libraries(${name}_sim PRIVATE zvprogram ${arg_SIM_LIBS})
    add_test(NAME wine.${name}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SCRIPT} $<TARGET_FILE:${name}_sim>
                     ${CMAKE_CURRENT_BINARY_DIR}/work ${ZVSET_WINDOWS_BUILD_DIR}
                     ${ZVSET_WINDOWS_X64_BUILD_DIR})
    set_tests_properties(wine.${name} PROPERTIES LABELS wine SKIP_RETURN_CODE 77
                         TIMEOUT ${arg_TIMEOUT})
  endif()
endfunction()

# A test program of the Windows builds only, beside the probes.
function(zvset_wine_standin name source)
  if(ZVSET_WINDOWS)
    add_executable(${name} WIN32 ${source})
    set_target_properties(${name} PROPERTIES SUFFIX ".exe")
  endif()
endfunction()
