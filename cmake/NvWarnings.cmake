# Warnings for the project's own targets (dependencies keep their own settings).
function(nv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
