# Project-wide warning flags. Third-party headers come in as SYSTEM includes, so only our code is
# held to these.
set(TAMBORO_WARNINGS -Wall -Wextra -Wpedantic -Wnon-virtual-dtor)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND TAMBORO_WARNINGS -Wshadow=local)
endif()
if(TAMBORO_WERROR)
  list(APPEND TAMBORO_WARNINGS -Werror)
endif()

# Results of the renderer must not depend on whether the compiler fuses a multiply and an add.
set(TAMBORO_FP_FLAGS -ffp-contract=off)

function(tamboro_target_defaults target)
  target_compile_options(${target} PRIVATE ${TAMBORO_WARNINGS} ${TAMBORO_FP_FLAGS})
endfunction()
