# Sanitizer builds apply to every target of the configuration. They run several times slower, so
# tests that measure real-time figures (late starts, grid jumps under a wall-clock device) learn
# from TAMBORO_INSTRUMENTED_BUILD that those figures cannot hold there; they still run the same
# threads and code paths for the sanitizers to check.
if(TAMBORO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(TAMBORO_INSTRUMENTED_BUILD=1)
endif()
if(TAMBORO_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
  add_compile_definitions(TAMBORO_INSTRUMENTED_BUILD=1)
endif()
