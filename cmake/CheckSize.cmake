# A CTest check: fails when FILE is larger than LIMIT_KIB KiB. Usage: cmake -DFILE=... -DLIMIT_KIB=... -P
file(SIZE "${FILE}" bytes)
math(EXPR kib "${bytes} / 1024")
math(EXPR limit "${LIMIT_KIB} * 1024")
get_filename_component(name "${FILE}" NAME)
if(bytes GREATER limit)
  message(FATAL_ERROR "${name}: ${kib} KiB, over ${LIMIT_KIB} KiB")
endif()
message("${name}: ${kib} KiB of ${LIMIT_KIB}")
